#include "ui/StandInPage.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "session/DialogResult.h"

namespace poirec {

StandInPage::StandInPage() {
  setWindowTitle(QStringLiteral("Dialog"));
  auto* layout = new QVBoxLayout(this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  layout->addWidget(cancel);
  layout->addStretch();
  connect(cancel, &QPushButton::clicked, this, &StandInPage::reject);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  setGeometry(0, 0, screen.width(), screen.height() - 11);
}

void StandInPage::reject() { done(kResultDone); }

}  // namespace poirec
