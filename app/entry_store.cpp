#include "app/entry_store.h"

#include "store/store.h"

namespace app {
namespace {

class StoreRegistry final : public EntryStore {
 public:
  bool openDatabase(const std::string& path, std::string_view alias) override {
    return store::openDatabase(path, alias);
  }
  bool selectDatabase(std::string_view name) override { return store::selectDatabase(name); }
  std::int32_t countRecords() override { return store::countRecords(); }
  void goToFirstRecord() override { store::goToFirstRecord(); }
  bool goToRecord(std::int32_t number) override { return store::goToRecord(number); }
  store::StoreValue readField(std::string_view name) override {
    return store::readField(store::StoreValue(std::string(name)));
  }
  void closeAllDatabases() override { store::closeAllDatabases(); }
};

}  // namespace

EntryStore& storeRegistry() {
  static StoreRegistry registry;
  return registry;
}

}  // namespace app
