#pragma once
// The one way a file is replaced. The new contents go into a temporary file beside the
// target that takes the target's name in one step once it is complete: a reader sees the
// old contents or the whole new ones, never a part, and a failure leaves the target as it
// was. The new file gets the target's permission bits (and owner, where the system allows).
// A target that is a symlink stays one: the file it leads to is replaced.
#include <string>

#include "platform/File.h"

namespace poirec {

class FileReplacement {
 public:
  // Whether the new contents must survive a power cut: data to keep is synced before the
  // rename and its folder after; a file that only says how things are this moment is not,
  // which spares the disk.
  enum class Keep { Durably, ForTheMoment };

  // target is a native path, taken as written.
  FileReplacement(FileSystem& files, const std::string& target, Keep keep);
  // Removes the temporary file unless Commit put it in place.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Creates the temporary file under a name only this routine makes, hidden and holding
  // this process's id and a count (".<name>.<pid>-<n>.tmp"); a name that is taken, by
  // anyone, is skipped and never removed. False, with Problem(), when the target is not a
  // regular file or the temporary file cannot be made.
  bool Begin();
  // The same under a name the caller has made its own (by a lock it holds): whatever a
  // killed run left there is removed as a name, never followed.
  bool BeginAs(const std::string& temporaryName);

  // Where the new contents are written.
  File& Contents() { return contents_; }

  // Puts the new contents in place. False, with Problem(), when they could not be written
  // whole or renamed over the target: the target is then as it was. A folder sync that
  // fails after the rename still counts as done: FolderNotSynced() and Problem() say so.
  bool Commit();
  bool FolderNotSynced() const { return folderNotSynced_; }
  // Why the last step failed, in words for a message after the file's name.
  const std::string& Problem() const { return problem_; }
  // The file that is replaced: the target, or the file its symlink leads to.
  const std::string& FinalTarget() const { return final_; }

 private:
  bool Prepare();
  bool TakeTargetAccess();
  // Notes what failed, with the system's reason; false.
  bool Fail(const std::string& what);
  void Abandon();

  FileSystem& files_;
  std::string target_;
  Keep keep_;
  std::string final_;
  std::string folder_;
  std::string temporary_;
  File contents_;
  bool targetExists_ = false;
  bool created_ = false;
  bool folderNotSynced_ = false;
  std::string problem_;
};

// Removes the temporary files that FileReplacement::Begin made beside target in runs that
// ended before their commit (their process no longer runs). Nothing else is touched.
void RemoveLeftoverTemporaryFiles(FileSystem& files, const std::string& target);

}  // namespace poirec
