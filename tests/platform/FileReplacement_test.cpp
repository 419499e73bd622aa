// The one way a file is replaced, for the deletion, the position file, the export and the
// first start: the target holds its old contents or the whole new ones, keeps its mode and
// its symlink, and no file is left behind or removed that the routine did not make.
#include "platform/FileReplacement.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/PosixFileSystem.h"
#include "support/ChildProcess.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace poirec {
namespace {

namespace fs = std::filesystem;
using Call = test::FaultyFileSystem::Call;
using Fault = test::FaultyFileSystem::Fault;
using Keep = FileReplacement::Keep;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::ranges::sort(names);
  return names;
}

// A file's bytes; nothing for a folder or a FIFO, which are never read.
std::string Contents(const fs::path& path) {
  return fs::is_regular_file(path) ? test::ReadBytes(path) : std::string();
}

unsigned ModeOf(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

struct Row {
  const char* what;
  std::function<void(const test::TempFolder&)> setUp;  // around "out", the target
  std::vector<Fault> faults;
  bool replaced;
  std::vector<std::string> namesAfter;  // the folder's entries afterwards
  std::string problem = {};             // a part of Problem()
  unsigned mode = 0640;                 // the target's mode afterwards
  const char* temporary = nullptr;      // BeginAs this name, as the deletion does
};

void Old(const test::TempFolder& folder) {
  folder.Write("out", "old");
  fs::permissions(folder.Path() / "out", fs::perms(0640));
}

TEST(FileReplacement, ReplacesWholeOrNotAtAll) {
  const auto planted = [](auto plant) {
    return [plant](const test::TempFolder& folder) {
      Old(folder);
      plant(folder, (folder.Path() / "out2").string());
    };
  };
  const Row rows[] = {
      {"replaced, mode kept under umask 077", Old, {}, true, {"out"}},
      {"made where nothing stood, by the umask", [](auto&) {}, {}, true, {"out"}, "", 0600},
      {"a symlink stays, its target is replaced",
       [](const test::TempFolder& folder) {
         folder.MakeFolder("real");
         folder.Write("real/out", "old");
         fs::permissions(folder.Path() / "real/out", fs::perms(0640));
         fs::create_symlink("real/out", folder.Path() / "out");
       },
       {},
       true,
       {"out", "real"}},
      {"a symlink to a file still to be made",
       [](const test::TempFolder& folder) {
         folder.MakeFolder("real");
         fs::create_symlink("real/out", folder.Path() / "out");
       },
       {},
       true,
       {"out", "real"},
       "",
       0600},
      {"a folder is refused",
       [](auto& folder) { folder.MakeFolder("out"); },
       {},
       false,
       {"out"},
       "Is a directory",
       0},
      {"a FIFO is refused",
       [](auto& folder) { ::mkfifo((folder.Path() / "out").c_str(), 0640); },
       {},
       false,
       {"out"},
       "not a regular file",
       0},
      {"a full disk", Old, {Fault(Call::Write, ENOSPC)}, false, {"out"}, "No space left"},
      {"a read-only folder",
       Old,
       {Fault(Call::Open, EACCES).On(".tmp")},
       false,
       {"out"},
       "cannot create a temporary file"},
      {"a temporary name taken by someone",
       Old,
       {Fault(Call::Open, EEXIST).On(".tmp")},
       true,
       {"out"}},
      {"a mode that cannot be given",
       Old,
       {Fault(Call::CopyAccess, EPERM)},
       false,
       {"out"},
       "permissions"},
      {"a sync that fails", Old, {Fault(Call::Sync, EIO)}, false, {"out"}, "Input/output"},
      {"a close that fails", Old, {Fault(Call::Close, EIO)}, false, {"out"}, "Input/output"},
      {"a rename that fails", Old, {Fault(Call::Rename, EXDEV)}, false, {"out"}, "cannot rename"},
      {"a folder sync that fails after the rename",
       Old,
       {Fault(Call::SyncFolder, EIO)},
       true,
       {"out"},
       "folder could not be synced"},
      // The deletion's own name, made its own by the category's lock: what stands there goes
      // as a name, never followed.
      {"a leftover at the caller's name",
       planted([](auto& folder, auto) { folder.Write("out2", "half"); }),
       {},
       true,
       {"out", "victim"},
       "",
       0640,
       "out2"},
      {"a symlink at the caller's name",
       planted([](auto& folder, const std::string& at) {
         fs::create_symlink(folder.Path() / "victim", at);
       }),
       {},
       true,
       {"out", "victim"},
       "",
       0640,
       "out2"},
      {"a folder at the caller's name",
       planted([](auto&, const std::string& at) { fs::create_directory(at); }),
       {},
       false,
       {"out", "out2", "victim"},
       "cannot create",
       0640,
       "out2"},
  };
  const mode_t umask = ::umask(077);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    test::TempFolder folder;
    folder.Write("victim", "not yours");
    row.setUp(folder);
    test::FaultyFileSystem files;
    for (const Fault& fault : row.faults) files.Add(fault);
    const std::string target = (folder.Path() / "out").string();
    const std::string before = Contents(target);
    {
      FileReplacement replacement(files, target, Keep::Durably);
      const bool begun = row.temporary
                             ? replacement.BeginAs((folder.Path() / row.temporary).string())
                             : replacement.Begin();
      const bool replaced = begun && replacement.Contents().Write("new", 3) && replacement.Commit();
      EXPECT_EQ(replaced, row.replaced);
      EXPECT_NE(replacement.Problem().find(row.problem), std::string::npos)
          << replacement.Problem();
      EXPECT_EQ(replacement.FolderNotSynced(),
                row.faults.size() == 1 && row.faults[0].call == Call::SyncFolder);
    }
    EXPECT_EQ(Contents(target), row.replaced ? "new" : before);
    std::vector<std::string> expected = row.namesAfter;
    expected.push_back("victim");
    std::ranges::sort(expected);
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(Names(folder.Path()), expected);
    EXPECT_EQ(test::ReadBytes(folder.Path() / "victim"), "not yours");
    EXPECT_TRUE(row.mode == 0 || ModeOf(target) == row.mode) << std::oct << ModeOf(target);
    EXPECT_TRUE(!fs::is_directory(folder.Path() / "real") || fs::is_symlink(folder.Path() / "out"));
  }
  ::umask(umask);
}

// Data to keep is synced before the rename and its folder after; the position file, state
// of the moment, is never synced. A user's file with the name of the next temporary file
// is skipped and kept.
TEST(FileReplacement, SyncsOnlyWhatIsKeptAndNeverRemovesAnotherFile) {
  test::TempFolder folder;
  const std::string target = (folder.Path() / "out").string();
  for (const Keep keep : {Keep::Durably, Keep::ForTheMoment}) {
    test::FaultyFileSystem files;
    FileReplacement replacement(files, target, keep);
    ASSERT_TRUE(replacement.Begin() && replacement.Commit());
    const auto& log = files.Log();
    const auto at = [&](const std::string& start) {
      return std::ranges::find_if(log, [&](const auto& e) { return e.starts_with(start); }) -
             log.begin();
    };
    const auto calls = static_cast<long>(log.size());
    if (keep == Keep::Durably) {
      EXPECT_TRUE(at("Sync ") < at("Rename ") && at("Rename ") < at("SyncFolder ") &&
                  at("SyncFolder ") < calls)
          << ::testing::PrintToString(log);
    } else {
      EXPECT_EQ(files.Count(Call::Sync) + files.Count(Call::SyncFolder), 0);
    }
    // The next name, made by a user in between, is left as it is.
    const std::string used = log[at("Rename ")].substr(7, log[at("Rename ")].find(' ', 7) - 7);
    const std::size_t dash = used.rfind('-');
    const std::string next =
        used.substr(0, dash + 1) + std::to_string(std::stoul(used.substr(dash + 1)) + 1) + ".tmp";
    folder.Write(fs::path(next).filename().string(), "mine");
    FileReplacement again(RealFileSystem(), target, keep);
    ASSERT_TRUE(again.Begin() && again.Commit());
    EXPECT_EQ(test::ReadBytes(next), "mine");
    fs::remove(next);
  }
  EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"out"});
}

// Two runs replace one target at once, again and again, while it is read: every read and
// the end find one whole text, each run reports every replacement done, and the leftovers of
// a run that was killed are found and removed, but not those of a run that still lives.
TEST(FileReplacement, TwoRunsReplaceOneTargetWhole) {
  test::TempFolder folder;
  const std::string target = (folder.Path() / "out").string();
  const std::string texts[] = {std::string(100000, 'a'), std::string(50000, 'b')};
  test::StartGate gate;
  const auto run = [&](const std::string& text, int times) {
    return [&, times] {
      gate.WaitUntilOpen();
      for (int i = 0; i < times; ++i) {
        FileReplacement replacement(RealFileSystem(), target, Keep::ForTheMoment);
        if (!replacement.Begin() || !replacement.Contents().Write(text.data(), text.size()) ||
            !replacement.Commit()) {
          return 1;
        }
      }
      return 0;
    };
  };
  test::ChildProcess one(run(texts[0], 300)), other(run(texts[1], 300));
  test::ChildProcess killed([&] {
    FileReplacement replacement(RealFileSystem(), target, Keep::ForTheMoment);
    replacement.Begin();
    gate.WaitUntilOpen();
    for (;;) ::pause();
    return 0;
  });
  gate.Open();
  for (int reads = 0; reads < 300; ++reads) {
    const std::string text = test::ReadBytes(target);
    ASSERT_TRUE(text.empty() || text == texts[0] || text == texts[1]) << text.size();
  }
  EXPECT_EQ(one.Wait(), 0);
  EXPECT_EQ(other.Wait(), 0);
  const std::string last = test::ReadBytes(target);
  EXPECT_TRUE(last == texts[0] || last == texts[1]);

  while (Names(folder.Path()).size() < 2) ::usleep(1000);  // the sleeping run's file is made
  RemoveLeftoverTemporaryFiles(RealFileSystem(), target);
  EXPECT_EQ(Names(folder.Path()).size(), 2u);
  killed.Kill();
  killed.Wait();
  RemoveLeftoverTemporaryFiles(RealFileSystem(), target);
  EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"out"});
}

}  // namespace
}  // namespace poirec
