#include "tests/app/panel_fixture.h"

#include "app/fatal_error.h"
#include "platform/file_bytes.h"
#include "store/create_database.h"
#include "store/store.h"

namespace app_test {

bool RecordingStore::openDatabase(const std::string& path, std::string_view alias) {
  log_.push_back("openDatabase " + std::string(alias));
  openedPath = path;
  return !database.empty() && store::openDatabase(database, alias);
}

bool RecordingStore::selectDatabase(std::string_view name) {
  log_.push_back("selectDatabase " + std::string(name));
  return store::selectDatabase(name);
}

std::int32_t RecordingStore::countRecords() { return store::countRecords(); }
void RecordingStore::goToFirstRecord() { store::goToFirstRecord(); }
bool RecordingStore::goToRecord(std::int32_t number) { return store::goToRecord(number); }

store::StoreValue RecordingStore::readField(std::string_view name) {
  return store::readField(store::StoreValue(std::string(name)));
}

void RecordingStore::closeAllDatabases() {
  log_.push_back("closeAllDatabases");
  store::closeAllDatabases();
}

void PanelTest::TearDown() {
  panel_.reset();
  windowing_.reset();
  store::closeAllDatabases();
}

std::string PanelTest::makeStore(int count, const platform::Bytes& image,
                                 store::format::FieldType imageType) {
  using store::format::FieldType;
  const std::string path = folder_.file("wenjia.qdb");
  const int result =
      store::createDatabase(path, {{"xuhao", FieldType::Text, 12},
                                   {"wenjian", FieldType::Text, 200},
                                   {"tubiao", imageType, imageType == FieldType::Text ? 200 : 0}});
  EXPECT_EQ(result, 0);
  store_.database = path;
  if (imageType == FieldType::Text) {
    appendEntries(count, image);
  } else {
    EXPECT_TRUE(store::openDatabase(path, "fixture"));
    for (int i = 0; i < count; ++i) {
      EXPECT_TRUE(store::appendRecord({std::to_string(i), "C:\\Programs\\x.exe", i}));
    }
    store::closeAllDatabases();
  }
  return path;
}

void PanelTest::appendEntries(int count, const platform::Bytes& image) {
  // Once the panel has the store open, a second open of the file in this process is refused.
  const bool panelHasIt = store::selectDatabase("dizhi");
  if (!panelHasIt) {
    EXPECT_TRUE(store::openDatabase(store_.database, "fixture"));
  }
  for (int i = 0; i < count; ++i) {
    const int number = ++entries_;
    EXPECT_TRUE(platform::writeFileBytes(imagePath(number), image) || image.empty());
    const std::string program = "C:\\Programs\\" + std::to_string(number) + ".exe";
    EXPECT_TRUE(store::appendRecord({std::to_string(number - 1), program, imagePath(number)}));
  }
  if (!panelHasIt) store::closeAllDatabases();
}

void PanelTest::loadPanel() {
  windowing_ = std::make_unique<app::Windowing>(backend_);
  windowing_->createOwnerWindow();
  panel_ = std::make_unique<app::Panel>(*windowing_, store_, "C:\\Panel");
  ASSERT_NE(panel_->load(), 0);
}

const FakeBackend::Window& PanelTest::tileWindow(std::size_t index) const {
  const app::ControlRef& tile = panel_->tiles().at(index);
  return backend_.window(windowing_->nativeControl(tile.window, tile.control));
}

app::NativeWindow PanelTest::tileTemplate() const {
  return windowing_->nativeControl(panel_->window(), 1);
}

}  // namespace app_test
