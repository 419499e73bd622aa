#pragma once
// The category page's place holder: a full-screen page with only "Cancel".
#include <QDialog>

namespace poirec {

class StandInPage final : public QDialog {
  Q_OBJECT
 public:
  StandInPage();
  void reject() override;
};

}  // namespace poirec
