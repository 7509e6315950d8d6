#pragma once
// The operations of the entry store that the panel uses, behind one interface so that the
// panel's logic can be exercised without database files.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/store_value.h"

namespace app {

class EntryStore {
 public:
  virtual ~EntryStore() = default;
  virtual bool openDatabase(const std::string& path, std::string_view alias) = 0;
  virtual bool selectDatabase(std::string_view name) = 0;
  virtual std::int32_t countRecords() = 0;
  virtual void goToFirstRecord() = 0;
  virtual bool goToRecord(std::int32_t number) = 0;
  virtual store::StoreValue readField(std::string_view name) = 0;
  virtual void closeAllDatabases() = 0;
};

// The process-wide registry of open databases (store/store.h).
EntryStore& storeRegistry();

}  // namespace app
