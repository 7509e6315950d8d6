#include "tests/icons/test_files.h"

#include <atomic>
#include <filesystem>
#include <random>
#include <set>

namespace icons_test {

std::string builtFixture(const std::string& name) {
  return std::string(ICONS_BUILT_FIXTURES) + "/" + name;
}

std::string sourceFixture(const std::string& name) {
  return std::string(ICONS_SOURCE_FIXTURES) + "/" + name;
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> serial{0};
  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("iconpanel-icons-" + std::to_string(std::random_device{}()) +
                                  "-" + std::to_string(serial++));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  folder_ = folder.string();
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string ScratchFolder::path(const std::string& name) const {
  return (std::filesystem::path(folder_) / name).string();
}

std::string ScratchFolder::listing() const {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    names.insert(entry.path().filename().string());
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : " ") + name;
  return text;
}

}  // namespace icons_test
