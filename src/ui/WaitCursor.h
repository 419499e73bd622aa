#pragma once
// The application's wait cursor over every window while a long step runs: shown when
// made, shown again by Restore, removed by End or at the latest when it goes.
namespace poirec {

class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

  // Shows the wait cursor again, should anything have replaced it meanwhile.
  void Restore();
  void End();

 private:
  bool shown_ = true;
};

}  // namespace poirec
