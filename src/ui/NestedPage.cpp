#include "ui/NestedPage.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "session/DialogResult.h"

namespace poirec {
namespace {

constexpr int kBackControl = 4;
constexpr int kPictureControl = 1007;
constexpr int kTextControl = 1003;
constexpr int kFrameControl = 1006;
constexpr int kPictureSize = 22;

}  // namespace

NestedPage::NestedPage(int templateId, std::set<int> imageButtons, ProcessState& state)
    : FullScreenDialog(templateId, std::move(imageButtons)), pictures_(*state.files) {
  connect(&BackButton(), &QPushButton::clicked, this, &NestedPage::OnBack);
  // Back, as a browser's Backspace goes back; Escape ends the whole run.
  PressOnKey(Qt::Key_Backspace, BackButton());
}

void NestedPage::OnBack() { done(kResultBack); }

void NestedPage::SetFrameTexts(const QString& frameTitle) {
  CancelButton().setText(QStringLiteral("Cancel"));
  Frame().setTitle(frameTitle);
  BackButton().setText(QStringLiteral("Back"));
}

void NestedPage::ShowPicture(const CategoryEntry* category) {
  category_ = category ? std::optional(*category) : std::nullopt;
  NestedPage::ApplyScale();
}

void NestedPage::ApplyScale() {
  Picture().setPixmap(
      category_ ? pictures_.Picture(*category_, Px(kPictureSize), Scale(), devicePixelRatioF())
                : QPixmap());
}

QPushButton& NestedPage::CancelButton() const { return ControlAs<QPushButton>(kCancelControl); }
QPushButton& NestedPage::BackButton() const { return ControlAs<QPushButton>(kBackControl); }
QLabel& NestedPage::Picture() const { return ControlAs<QLabel>(kPictureControl); }
QGroupBox& NestedPage::Frame() const { return ControlAs<QGroupBox>(kFrameControl); }
QLabel& NestedPage::TextLine() const { return ControlAs<QLabel>(kTextControl); }

}  // namespace poirec
