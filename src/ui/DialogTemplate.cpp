#include "ui/DialogTemplate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtGlobal>

namespace poirec {
namespace {

ControlKind ParseKind(const QString& kind, int templateId) {
  if (kind == u"button") return ControlKind::Button;
  if (kind == u"text") return ControlKind::Text;
  if (kind == u"picture") return ControlKind::Picture;
  if (kind == u"groupbox") return ControlKind::GroupBox;
  qFatal("dialog template %d: unknown control kind \"%s\"", templateId, qPrintable(kind));
}

QRect ParseRect(const QJsonArray& rect) {
  return {rect.at(0).toInt(), rect.at(1).toInt(), rect.at(2).toInt(), rect.at(3).toInt()};
}

ControlTemplate ParseControl(const QJsonObject& object, int templateId) {
  ControlTemplate control;
  control.id = object.value(u"id").toInt();
  control.kind = ParseKind(object.value(u"kind").toString(), templateId);
  control.units = ParseRect(object.value(u"rect").toArray());
  control.text = object.value(u"text").toString();
  for (const QJsonValue& style : object.value(u"style").toArray()) {
    const QString flag = style.toString();
    control.isDefault |= flag == u"default";
    control.multiLine |= flag == u"multiline";
    control.tabStop |= flag == u"tabstop";
  }
  return control;
}

}  // namespace

DialogTemplate LoadDialogTemplate(int id) {
  QFile file(QStringLiteral(":/dialogs/%1.json").arg(id));
  if (!file.open(QIODevice::ReadOnly)) qFatal("dialog template %d is missing", id);
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  if (!document.isObject()) {
    qFatal("dialog template %d: %s", id, qPrintable(error.errorString()));
  }
  const QJsonObject root = document.object();
  DialogTemplate result;
  result.id = id;
  const QJsonArray size = root.value(u"size").toArray();
  result.units = QSize(size.at(0).toInt(), size.at(1).toInt());
  if (result.units.isEmpty()) qFatal("dialog template %d has no size", id);
  result.title = root.value(u"title").toString();
  const QJsonObject font = root.value(u"font").toObject();
  result.fontFace = font.value(u"face").toString();
  result.fontPoints = font.value(u"points").toInt();
  for (const QJsonValue& control : root.value(u"controls").toArray()) {
    result.controls.push_back(ParseControl(control.toObject(), id));
  }
  return result;
}

}  // namespace poirec
