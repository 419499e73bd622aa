#include "platform/FileReplacement.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <string_view>
#include <vector>

#include "platform/ProgramPath.h"

namespace poirec {
namespace {

// A run that crashed may have left a name behind, and a user may have a file of any
// name; each one found is skipped for the next count.
constexpr int kCreateAttempts = 16;
constexpr std::string_view kTemporaryEnd = ".tmp";

// Counts over the whole process, so two replacements at once never pick one name.
std::atomic<unsigned long> temporaryCount{0};

std::string TemporaryPrefix(std::string_view name) { return "." + std::string(name) + "."; }

// The process id in a name "<prefix><pid>-<n>.tmp"; 0 when the name is not of that form.
long ProcessOfTemporary(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || !name.ends_with(kTemporaryEnd)) return 0;
  const std::string_view middle =
      name.substr(prefix.size(), name.size() - prefix.size() - kTemporaryEnd.size());
  const std::size_t dash = middle.find('-');
  const auto digits = [](std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
  };
  long id = 0;
  if (dash == std::string_view::npos || !digits(middle.substr(dash + 1)) ||
      std::from_chars(middle.data(), middle.data() + dash, id).ptr != middle.data() + dash) {
    return 0;
  }
  return id;
}

// The folder of a native path and the name in it.
std::pair<std::string, std::string> Split(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {path.substr(0, slash == 0 ? 1 : slash), path.substr(slash + 1)};
}

std::string Joined(const std::string& folder, const std::string& name) {
  return (folder == "/" ? "" : folder) + "/" + name;
}

}  // namespace

FileReplacement::FileReplacement(FileSystem& files, const std::string& target, Keep keep)
    : files_(files), target_(target), keep_(keep), contents_(files) {}

FileReplacement::~FileReplacement() { Abandon(); }

bool FileReplacement::Fail(const std::string& what) {
  problem_ = what.empty() ? LastErrorText() : what + " (" + LastErrorText() + ")";
  return false;
}

bool FileReplacement::Prepare() {
  Abandon();
  final_ = files_.FinalPath(target_);
  if (final_.empty()) return Fail("");
  switch (files_.KindOf(final_)) {
    case FileSystem::Kind::File:
    case FileSystem::Kind::Missing: break;
    case FileSystem::Kind::Folder: errno = EISDIR; return Fail("");
    case FileSystem::Kind::Other:
      errno = ENXIO;
      problem_ = "is not a regular file, so it is not replaced";
      return false;
  }
  folder_ = Split(final_).first;
  return true;
}

bool FileReplacement::Begin() {
  if (!Prepare()) return false;
  const std::string prefix =
      Joined(folder_, TemporaryPrefix(Split(final_).second) + std::to_string(CurrentProcessId()));
  for (int attempt = 0; attempt < kCreateAttempts && !created_; ++attempt) {
    temporary_ = prefix + "-" + std::to_string(++temporaryCount) + std::string(kTemporaryEnd);
    created_ = contents_.OpenNative(temporary_, File::Mode::CreateNew);
    if (!created_ && errno != EEXIST) break;
  }
  if (!created_) return Fail("cannot create a temporary file beside it");
  if (files_.KindOf(final_) == FileSystem::Kind::File && !contents_.TakeAccessFrom(final_)) {
    return Fail("cannot give the new file its permissions");
  }
  return true;
}

bool FileReplacement::BeginAs(const std::string& temporaryName) {
  if (!Prepare()) return false;
  temporary_ = temporaryName;
  files_.Remove(temporary_);
  created_ = contents_.OpenNative(temporary_, File::Mode::CreateNew);
  if (!created_) return Fail("cannot create " + temporary_);
  if (files_.KindOf(final_) == FileSystem::Kind::File && !contents_.TakeAccessFrom(final_)) {
    return Fail("cannot give the new file its permissions");
  }
  return true;
}

bool FileReplacement::Commit() {
  if (!created_) return false;
  if (keep_ == Keep::Durably && !contents_.Sync()) return Fail("");
  if (!contents_.Close()) return Fail("");
  if (!files_.Rename(temporary_, final_)) return Fail("cannot rename " + temporary_ + " over it");
  created_ = false;  // the temporary file is the target now
  if (keep_ == Keep::Durably && !files_.SyncFolder(folder_)) {
    // The new contents are in place; only the rename may not survive a power cut.
    folderNotSynced_ = true;
    Fail("replaced, but its folder could not be synced");
  }
  return true;
}

void FileReplacement::Abandon() {
  if (!created_) return;
  contents_.Close();
  files_.Remove(temporary_);
  created_ = false;
}

void RemoveLeftoverTemporaryFiles(FileSystem& files, const std::string& target) {
  const std::string final = files.FinalPath(target);
  if (final.empty()) return;
  const auto [folder, name] = Split(final);
  const std::string prefix = TemporaryPrefix(name);
  std::vector<std::string> names;
  if (!files.List(folder, names)) return;
  for (const std::string& entry : names) {
    const long process = ProcessOfTemporary(entry, prefix);
    if (process != 0 && !ProcessRuns(process)) files.Remove(Joined(folder, entry));
  }
}

}  // namespace poirec
