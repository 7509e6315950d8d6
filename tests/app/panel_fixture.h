#pragma once
// The panel on the recording backend, over a real entry store file made for the test.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/entry_store.h"
#include "app/panel.h"
#include "app/windowing.h"
#include "store/format.h"
#include "tests/app/fake_backend.h"
#include "tests/support/temp_folder.h"

namespace app_test {

// The store registry, logging into the backend's log so that the order of store and window
// operations can be read in one place. The panel's store path is mapped to the test's file.
class RecordingStore final : public app::EntryStore {
 public:
  explicit RecordingStore(std::vector<std::string>& log) : log_(log) {}

  std::string database;    // what an open of the panel's store opens; empty: the open fails
  std::string openedPath;  // the path the panel asked for

  bool openDatabase(const std::string& path, std::string_view alias) override;
  bool selectDatabase(std::string_view name) override;
  std::int32_t countRecords() override;
  void goToFirstRecord() override;
  bool goToRecord(std::int32_t number) override;
  store::StoreValue readField(std::string_view name) override;
  void closeAllDatabases() override;

 private:
  std::vector<std::string>& log_;
};

class PanelTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // A store file of `count` entries; entry i has the program "C:\Programs\i.exe" and the image
  // file "i.jpg" in the test's folder holding `image`. With a number in place of the image
  // path's text, the store holds a field of the wrong type.
  std::string makeStore(int count, const platform::Bytes& image,
                        store::format::FieldType imageType = store::format::FieldType::Text);
  // Appends entries to the store made by makeStore.
  void appendEntries(int count, const platform::Bytes& image);

  // Loads the panel window on the fake backend, as the start-up window would.
  void loadPanel();

  app::NativeWindow panelWindow() const { return windowing_->nativeWindow(panel_->window()); }
  const FakeBackend::Window& tileWindow(std::size_t index) const;
  app::NativeWindow tileTemplate() const;
  std::string imagePath(int number) const { return folder_.file(std::to_string(number) + ".jpg"); }

  FakeBackend backend_;
  RecordingStore store_{backend_.log};
  testing_support::TempFolder folder_;
  std::unique_ptr<app::Windowing> windowing_;
  std::unique_ptr<app::Panel> panel_;
  int entries_ = 0;
};

}  // namespace app_test
