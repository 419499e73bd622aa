#pragma once
// What the screens' tests share: the classic button colours, so that pixel checks read plain
// values; a run over a "pois" folder of its own; and a shell that notes its messages.
#include <gtest/gtest.h>

#include <QDialog>
#include <QImage>
#include <QTest>
#include <string>
#include <vector>

#include "session/DialogResult.h"
#include "session/ProcessState.h"
#include "session/Shell.h"
#include "support/TempFolder.h"

namespace poirec::test {

inline const QColor kFace(192, 192, 192), kHighlight(255, 255, 255), kShadow(128, 128, 128),
    kBlack(0, 0, 0), kRed(255, 0, 0), kBlue(0, 0, 255);

// What the widget shows, one image pixel per widget pixel.
inline QImage Grab(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
// The smallest rectangle holding every pixel of the colour inside area; empty when none.
QRect BoundsOf(const QImage& image, const QColor& colour, QRect area = QRect());
// The image's file in the format ("BMP", "PNG").
std::string Encoded(const QImage& image, const char* format);
// Makes the widget's window the active one, so focus can be given inside it.
void Activate(QWidget& window);
// Clicks the page's one button of that caption, as a person would find it.
void Press(QWidget& page, const QString& caption);
// The name a screen reader announces for the widget.
QString AccessibleName(QWidget& widget);

// Notes the messages, and whether the page was still shown when the last
// message came.
struct NotingShell final : Shell {
  void PlaySound(SoundEvent) override {}
  void Explain(std::string_view) override {}
  void ShowMessageBox(std::u16string_view text) override {
    messages.emplace_back(text);
    pageShown = page != nullptr && page->isVisible();
  }
  std::vector<std::u16string> messages;
  const QWidget* page = nullptr;
  bool pageShown = false;
};

struct Run {
  Run() {
    folder.MakeFolder("pois");
    state.folders.program = folder.Folder();
  }
  // Writes pois/<name>.asc and a 22 x 22 picture of the colour beside it (keyed: inside a
  // frame of the key colour, magenta), and adds the category to the state's table
  // (unsorted; the category page reads its own).
  void AddCategory(const std::string& name, std::string_view bytes, const QColor& colour,
                   bool keyed = false);
  std::string Bytes(const std::string& name) const {  // pois/<name>.asc
    return ReadBytes(folder.Path() / "pois" / (name + ".asc"));
  }

  TempFolder folder;
  ProcessState state;
};

}  // namespace poirec::test
