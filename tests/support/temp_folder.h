#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <random>
#include <string>

namespace testing_support {

class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("iconpanel-test-" + std::to_string(seed()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The full name of a file in the folder, in the platform's own form.
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace testing_support
