#pragma once
// A fresh folder per test, files written into it byte by byte, and the store's process-wide
// state put back after each test.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/file_bytes.h"
#include "store/store.h"
#include "tests/store/database_image.h"
#include "tests/support/temp_folder.h"

namespace store {
// Shows values in test messages by kind and content.
void PrintTo(const StoreValue& value, std::ostream* out);
}  // namespace store

namespace store_test {

// The fatal errors that readField reported during the test; the recording hook returns, so
// readField goes on and returns an empty value.
std::vector<std::pair<int, std::string>>& fatalErrors();

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a new file: one replaced in place would be flushed to the disk on many file
  // systems, which makes tests that rewrite a file thousands of times slow.
  std::string write(const std::string& name, const Bytes& bytes) {
    std::string path = folder_.file(name);
    std::filesystem::remove(path);
    EXPECT_TRUE(platform::writeFileBytes(path, bytes));
    return path;
  }
  // The whole file, read while the store may have it open for writing (which on Windows
  // refuses a reader that denies others writing).
  Bytes read(const std::string& path);

  testing_support::TempFolder folder_;

 private:
  store::FatalErrorHook previousHook_ = nullptr;
};

}  // namespace store_test
