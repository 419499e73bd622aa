#include "app/PoisSeeding.h"

#include <cerrno>
#include <charconv>
#include <string_view>
#include <vector>

#include "platform/File.h"
#include "platform/FileReplacement.h"
#include "platform/ProgramPath.h"

namespace poirec {
namespace {

constexpr std::string_view kPois = "pois";
// The seed folders are "pois.new-<process id>-<count>".
constexpr std::string_view kSeedPrefix = "pois.new-";

std::string Failed(const std::string& path) { return path + ": " + LastErrorText(); }

// Makes the folder and each missing one above it.
bool MakeFolders(FileSystem& files, const std::string& folder) {
  if (files.KindOf(folder) == FileSystem::Kind::Folder) return true;
  const std::size_t slash = folder.find_last_of('/', folder.size() - 2);
  if (slash != std::string::npos && slash > 0 && !MakeFolders(files, folder.substr(0, slash + 1))) {
    return false;
  }
  return files.MakeFolder(folder) ||
         (errno == EEXIST && files.KindOf(folder) == FileSystem::Kind::Folder);
}

// Removes a seed folder and the files in it; it holds no folders.
void RemoveSeed(FileSystem& files, const std::string& seed) {
  std::vector<std::string> names;
  files.List(seed, names);
  for (const std::string& name : names) files.Remove(seed + "/" + name);
  files.RemoveFolder(seed);
}

// The seed folders of first starts whose process has ended.
void RemoveLeftoverSeeds(FileSystem& files, const std::string& userFolder) {
  std::vector<std::string> names;
  if (!files.List(userFolder, names)) return;
  for (const std::string& name : names) {
    if (!name.starts_with(kSeedPrefix)) continue;
    long process = 0;
    const char* digits = name.data() + kSeedPrefix.size();
    std::from_chars(digits, name.data() + name.size(), process);
    const std::string seed = userFolder + name;
    if (!ProcessRuns(process) && files.KindOf(seed) == FileSystem::Kind::Folder) {
      RemoveSeed(files, seed);
    }
  }
}

// Copies one file, made durable before the seed folder takes its name.
bool CopyFile(FileSystem& files, const std::string& from, const std::string& to) {
  File source(files);
  if (!source.OpenNative(from, File::Mode::Read)) return false;
  FileReplacement copy(files, to, FileReplacement::Keep::Durably);
  if (!copy.Begin()) return false;
  std::string buffer(64 * 1024, '\0');
  while (const std::size_t read = source.Read(buffer.data(), buffer.size())) {
    if (!copy.Contents().Write(buffer.data(), read)) return false;
  }
  return source.Length() == copy.Contents().Length() && copy.Commit();
}

}  // namespace

std::string SeedPoisFolder(FileSystem& files, const std::string& installedPois,
                           const std::string& userFolder) {
  if (!MakeFolders(files, userFolder)) return Failed(userFolder);
  RemoveLeftoverSeeds(files, userFolder);
  const std::string pois = userFolder + std::string(kPois);
  if (files.KindOf(pois) != FileSystem::Kind::Missing) return {};

  std::string seed;
  for (int count = 1; seed.empty() && count <= 16; ++count) {
    const std::string name = userFolder + std::string(kSeedPrefix) +
                             std::to_string(CurrentProcessId()) + "-" + std::to_string(count);
    if (files.MakeFolder(name))
      seed = name;
    else if (errno != EEXIST)
      break;
  }
  if (seed.empty()) return Failed(userFolder);
  std::vector<std::string> samples;
  if (!files.List(installedPois, samples)) {
    const std::string problem = Failed(installedPois);
    RemoveSeed(files, seed);
    return problem;
  }
  for (const std::string& sample : samples) {
    const std::string from = installedPois + "/" + sample;
    if (files.KindOf(from) != FileSystem::Kind::File) continue;
    if (!CopyFile(files, from, seed + "/" + sample)) {
      const std::string problem = Failed(seed + "/" + sample);
      RemoveSeed(files, seed);
      return problem;
    }
  }
  // Another program that started at the same time may have been first: its folder stays.
  if (!files.RenameToFreeName(seed, pois)) {
    const std::string problem = errno == EEXIST ? std::string() : Failed(pois);
    RemoveSeed(files, seed);
    return problem;
  }
  files.SyncFolder(userFolder);
  return {};
}

}  // namespace poirec
