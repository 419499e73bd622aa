// A category file of any bytes under a category name of any bytes, exported as the export
// program does: the document must always be well-formed XML, whatever the names hold.
// The input is the name, a zero byte, then the file's contents.
#include <libxml/parser.h>

#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "InputFile.h"
#include "gpx/GpxWriter.h"
#include "gpx/PoiFileWaypoints.h"
#include "gpx/WaypointText.h"
#include "platform/PosixFileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace poirec;
  static const fuzz::InputFile file("Category.asc");
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string_view contents = input.substr(std::min(split + 1, input.size()));
  file.Write(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size());

  QByteArray document;
  QBuffer device(&document);
  device.open(QIODevice::WriteOnly);
  GpxWriter writer(device, QStringLiteral("fuzz"), QTimeZone::utc());
  writer.Begin();
  ReadPoiFileWaypoints(RealFileSystem(), file.Path(),
                       CategoryType(Utf8ToUtf16(input.substr(0, split))), writer);
  if (!writer.Finish()) std::abort();
  xmlDocPtr parsed =
      xmlReadMemory(document.constData(), static_cast<int>(document.size()), nullptr, nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (parsed == nullptr) std::abort();
  xmlFreeDoc(parsed);
  return 0;
}
