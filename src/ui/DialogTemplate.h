#pragma once
// A page's layout as data: its size in dialog units and its controls, read from
// ":/dialogs/<id>.json". Control rectangles are in dialog units too.
#include <QRect>
#include <QString>
#include <vector>

namespace poirec {

enum class ControlKind { Button, Text, Picture, GroupBox };

struct ControlTemplate {
  int id = 0;
  ControlKind kind = ControlKind::Button;
  QRect units;  // x, y, width, height in dialog units
  QString text;
  bool isDefault = false;  // the page's default push button
  bool multiLine = false;
  bool tabStop = false;
};

struct DialogTemplate {
  int id = 0;
  QSize units;  // the page's size in dialog units
  QString title;
  QString fontFace;
  int fontPoints = 0;
  std::vector<ControlTemplate> controls;  // in template order, which is the tab order
};

// The template with the given id. A template that is missing or malformed is a fault in
// the program's own resources, so it stops the program with a message naming it.
DialogTemplate LoadDialogTemplate(int id);

}  // namespace poirec
