#pragma once
// What the tests of the insert and delete pages share: a run over a "pois" folder of their
// own, categories with one-coloured pictures, a shell that notes its messages, and a way
// to act on a page that runs modally.
#include <QColor>
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "session/ProcessState.h"
#include "session/Shell.h"
#include "support/TempFolder.h"

class QLabel;

namespace poirec::test {

class NotingShell final : public Shell {
 public:
  void Beep() override {}
  void ShowMessage(std::u16string_view text) override {
    messages.emplace_back(text);
    if (onMessage) onMessage();
  }
  std::vector<std::u16string> messages;
  std::function<void()> onMessage;  // runs while the message is shown
};

struct Run {
  Run();
  // Writes pois/<name>.asc and, for a valid colour, a 22 x 22 picture of it beside it.
  // With inTable, the category is also added to the state's table (unsorted).
  void AddCategory(const std::string& name, std::string_view bytes, const QColor& colour,
                   bool inTable = true);
  std::string Bytes(const std::string& name) const;  // pois/<name>.asc

  TempFolder folder;
  ProcessState state;
};

// The one colour the label's picture shows; invalid for none or more than one.
QColor PictureColour(const QLabel& picture);

// Runs the action on the page that runs modally (a nested page run with exec()) once its
// event loop runs. The action is to end the page; a page it leaves open is a failure and
// is ended with 0, so that the test goes on.
void OnNextModalPage(std::function<void(QDialog&)> action);

}  // namespace poirec::test
