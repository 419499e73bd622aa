#include "gpx/AtomicFileDevice.h"

namespace poirec {

AtomicFileDevice::AtomicFileDevice(FileReplacement& file) : file_(file) {
  open(QIODevice::WriteOnly | QIODevice::Unbuffered);  // the file buffers
}

qint64 AtomicFileDevice::readData(char*, qint64) { return -1; }

qint64 AtomicFileDevice::writeData(const char* data, qint64 size) {
  return file_.Contents().Write(data, static_cast<std::size_t>(size)) ? size : -1;
}

}  // namespace poirec
