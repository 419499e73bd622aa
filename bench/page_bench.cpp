// Times the start of the category page: the catalogue scanned, the page built, shown at a
// screen's size and painted once, on Qt's offscreen platform. bench/run.sh runs it.
//
//   page_bench generate <folder> <categories> <bmp|svg|none>  writes <folder>/pois/
//   page_bench start <folder> <width> <height> <repeats>       best time in milliseconds
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/TextEncoding.h"
#include "session/ProcessState.h"
#include "ui/ButtonFont.h"
#include "ui/CategoryDialog.h"

namespace {

int Generate(const std::filesystem::path& folder, int categories, const std::string& kind) {
  std::filesystem::create_directories(folder / "pois");
  QImage bitmap(22, 22, QImage::Format_RGB32);
  for (int i = 0; i < categories; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Category%03d", i);
    std::ofstream(folder / "pois" / (std::string(name) + ".asc")) << "\n8.1, 47.1, \"POI\"";
    bitmap.fill(QColor::fromHsv(i % 360, 200, 200));
    if (kind == "bmp")
      bitmap.save(QString::fromStdString((folder / "pois" / name).string() + ".bmp"));
    if (kind == "svg") {
      std::ofstream(folder / "pois" / (std::string(name) + ".svg"))
          << "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 22 22'>"
          << "<circle cx='11' cy='11' r='9' fill='hsl(" << i % 360 << ",60%,45%)'/></svg>";
    }
  }
  return 0;
}

int Start(const char* folder, int width, int height, int repeats) {
  qint64 best = -1;
  for (int i = 0; i < repeats; ++i) {
    poirec::ProcessState state;
    state.folders.program = poirec::Utf8ToUtf16(std::string(folder) + "/");
    QElapsedTimer timer;
    timer.start();
    poirec::CategoryDialog page(state);
    page.show();
    page.resize(width, height);
    QImage shown(page.size(), QImage::Format_RGB32);
    page.render(&shown);
    const qint64 elapsed = timer.nsecsElapsed();
    best = best < 0 ? elapsed : std::min(best, elapsed);
  }
  std::printf("%.2f\n", static_cast<double>(best) / 1e6);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  Q_INIT_RESOURCE(resources);
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && argc == 5) return Generate(argv[2], std::atoi(argv[3]), argv[4]);
  if (command == "start" && argc == 6) {
    return Start(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  }
  std::fprintf(stderr, "usage: see the top of bench/page_bench.cpp\n");
  return 2;
}
