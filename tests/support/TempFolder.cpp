#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/TextEncoding.h"

namespace poirec::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "poirec-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::u16string TempFolder::Folder() const { return Utf8ToUtf16(path_.string() + "/"); }

std::u16string TempFolder::File(std::string_view relative) const {
  return Utf8ToUtf16((path_ / relative).string());
}

std::filesystem::path TempFolder::Write(std::string_view relative, std::string_view bytes) const {
  const std::filesystem::path file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::filesystem::path TempFolder::MakeFolder(std::string_view relative) const {
  const std::filesystem::path folder = path_ / relative;
  std::filesystem::create_directories(folder);
  return folder;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace poirec::test
