#pragma once
// The desktop services the recording uses, through Qt.
#include <QString>

#include "session/Shell.h"

namespace poirec {

inline const QString kProgramTitle = QStringLiteral("POI Recorder");

class QtShell final : public Shell {
 public:
  void Beep() override;
  void ShowMessage(std::u16string_view text) override;
};

}  // namespace poirec
