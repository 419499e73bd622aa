#pragma once
// Lets Qt's writers write the new contents of a file that is replaced in one step.
#include <QIODevice>

#include "platform/FileReplacement.h"

namespace poirec {

class AtomicFileDevice final : public QIODevice {
 public:
  // Opens itself for writing; the replacement must have begun.
  explicit AtomicFileDevice(FileReplacement& file);

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  FileReplacement& file_;
};

}  // namespace poirec
