// The one way a file is replaced, for the deletion, the position file, the export and the
// first start: the target holds its old contents or the whole new ones, keeps its mode and
// its symlink, and no file is left behind or removed that the routine did not make.
#include "platform/FileReplacement.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <set>
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

// The folder's names in order, each followed by a space.
std::string Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  std::string text;
  for (const std::string& name : names) text += name + ' ';
  return text;
}

// A file's bytes; nothing for a folder or a FIFO, which are never read.
std::string Contents(const fs::path& path) {
  return fs::is_regular_file(path) ? test::ReadBytes(path) : std::string();
}

// What stands at the target before: a 0640 file "old", nothing, a symlink to such a file or
// to a file still to be made, a folder, a FIFO.
enum class Before { File, Nothing, Link, LinkToNothing, Folder, Fifo };

void Make(const test::TempFolder& folder, Before before) {
  const fs::path out = folder.Path() / "out", real = folder.Path() / "real/out";
  if (before == Before::Link || before == Before::LinkToNothing) {
    fs::create_directory(real.parent_path());
    fs::create_symlink("real/out", out);
  }
  if (before == Before::File || before == Before::Link) {
    folder.Write(before == Before::Link ? "real/out" : "out", "old");
    fs::permissions(before == Before::Link ? real : out, fs::perms(0640));
  }
  if (before == Before::Folder) fs::create_directory(out);
  if (before == Before::Fifo) ::mkfifo(out.c_str(), 0640);
}

struct Row {
  const char* what;
  Before before;
  std::optional<Fault> fault;
  bool replaced;
  std::string problem;   // a part of Problem()
  unsigned mode = 0640;  // the target's mode afterwards; 0: not looked at
  char planted = 0;      // at the caller's own name "out2": a 'f'ile, a 'l'ink, a 'd'irectory
  Keep keep = Keep::Durably;
};

TEST(FileReplacement, ReplacesWholeOrNotAtAll) {
  const Row rows[] = {
      {"mode kept under umask 077", Before::File, {}, true, ""},
      {"made by the umask", Before::Nothing, {}, true, "", 0600},
      {"a symlink stays, its target is replaced", Before::Link, {}, true, ""},
      {"a symlink to a file still to be made", Before::LinkToNothing, {}, true, "", 0600},
      {"a folder is refused", Before::Folder, {}, false, "Is a directory", 0},
      {"a FIFO is refused", Before::Fifo, {}, false, "not a regular file", 0},
      {"a full disk", Before::File, Fault(Call::Write, ENOSPC), false, "No space left"},
      {"a read-only folder", Before::File, Fault(Call::Open, EACCES).On(".tmp"), false,
       "cannot create a temporary file"},
      {"a temporary name taken", Before::File, Fault(Call::Open, EEXIST).On(".tmp"), true, ""},
      {"a mode not given", Before::File, Fault(Call::CopyAccess, EPERM), false, "permissions"},
      {"a sync that fails", Before::File, Fault(Call::Sync, EIO), false, "Input/output"},
      {"a close that fails", Before::File, Fault(Call::Close, EIO), false, "Input/output"},
      {"a rename that fails", Before::File, Fault(Call::Rename, EXDEV), false, "cannot rename"},
      {"a folder sync after the rename", Before::File, Fault(Call::SyncFolder, EIO), true,
       "folder could not be synced"},
      // The deletion's own name, made its own by the category's lock: what a killed run
      // left there goes as a name, never followed.
      {"a leftover at the caller's name", Before::File, {}, true, "", 0640, 'f'},
      {"a symlink at the caller's name", Before::File, {}, true, "", 0640, 'l'},
      {"a folder at the caller's name", Before::File, {}, false, "cannot create", 0640, 'd'},
      {"a full disk, unsynced", Before::File, Fault(Call::Write, ENOSPC), false, "No space left",
       0640, 0, Keep::ForTheMoment},
      {"state of the moment, never synced", Before::File, std::nullopt, true, "", 0640, 0,
       Keep::ForTheMoment},
  };
  const mode_t umask = ::umask(077);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    test::TempFolder folder;
    folder.Write("victim", "not yours");
    Make(folder, row.before);
    const std::string target = (folder.Path() / "out").string(), own = target + "2";
    if (row.planted == 'f') folder.Write("out2", "half");
    if (row.planted == 'l') fs::create_symlink(folder.Path() / "victim", own);
    if (row.planted == 'd') fs::create_directory(own);
    test::FaultyFileSystem files;
    if (row.fault) files.Add(*row.fault);
    const std::string before = Contents(target);
    {
      FileReplacement replacement(files, target, row.keep);
      const bool begun = row.planted ? replacement.BeginAs(own) : replacement.Begin();
      EXPECT_EQ(begun && replacement.Contents().Write("new", 3) && replacement.Commit(),
                row.replaced);
      EXPECT_NE(replacement.Problem().find(row.problem), std::string::npos)
          << replacement.Problem();
      EXPECT_EQ(replacement.FolderNotSynced(), row.fault && row.fault->call == Call::SyncFolder);
    }
    EXPECT_EQ(Contents(target), row.replaced ? "new" : before);
    // Data to keep is synced before the rename and its folder after; the state of the
    // moment is never synced.
    std::string order;
    for (const std::string& call : files.Log()) {
      const std::string name = call.substr(0, call.find(' ') + 1);
      if (name.starts_with("Sync") || name == "Rename ") order += name;
    }
    EXPECT_TRUE(row.keep == Keep::Durably
                    ? order == "Sync Rename SyncFolder " || row.fault || !row.replaced
                    : order.find("Sync") == order.npos)
        << order;
    // A name the routine did not make (one taken by someone) is never removed.
    EXPECT_TRUE(row.planted || !row.replaced || files.Count(Call::Remove) == 0);
    EXPECT_EQ(Names(folder.Path()), std::string("out ") + (row.planted == 'd' ? "out2 " : "") +
                                        (fs::exists(folder.Path() / "real") ? "real " : "") +
                                        "victim ");
    EXPECT_EQ(test::ReadBytes(folder.Path() / "victim"), "not yours");
    const auto mode = static_cast<unsigned>(fs::status(target).permissions());
    EXPECT_TRUE(row.mode == 0 || mode == row.mode) << std::oct << mode;
    EXPECT_EQ(fs::is_symlink(folder.Path() / "out"), fs::exists(folder.Path() / "real"));
  }
  ::umask(umask);
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

  while (Names(folder.Path()) == "out ") ::usleep(1000);  // the sleeping run's file is made
  RemoveLeftoverTemporaryFiles(RealFileSystem(), target);
  EXPECT_NE(Names(folder.Path()), "out ");
  killed.Kill();
  killed.Wait();
  RemoveLeftoverTemporaryFiles(RealFileSystem(), target);
  EXPECT_EQ(Names(folder.Path()), "out ");
}

}  // namespace
}  // namespace poirec
