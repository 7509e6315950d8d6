#pragma once
// Where the test programs find the fixtures the build made, and a scratch folder per test.

#include <string>

namespace icons_test {

// A fixture made by the build from the .rc files in fixtures/ (one_group.exe, ...), or a file
// kept there as it is (three.ico, ...).
std::string builtFixture(const std::string& name);
std::string sourceFixture(const std::string& name);

// A new empty folder, removed with everything in it when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string path(const std::string& name) const;
  // The names of the files in the folder, sorted.
  std::string listing() const;

 private:
  std::string folder_;
};

}  // namespace icons_test
