#pragma once
// Lets Qt's writers write into an AtomicOutputFile.
#include <QIODevice>

#include "gpx/AtomicOutputFile.h"

namespace poirec {

class AtomicFileDevice final : public QIODevice {
 public:
  // Opens itself for writing; the file must be open.
  explicit AtomicFileDevice(AtomicOutputFile& file);

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  AtomicOutputFile& file_;
};

}  // namespace poirec
