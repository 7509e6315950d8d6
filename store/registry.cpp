#include <atomic>

#include "platform/code_page.h"
#include "store/last_error.h"
#include "store/opened_database.h"
#include "store/store.h"

namespace store {

namespace {
std::atomic<std::int32_t> gLockWaitTime{0};

template <typename Key>
OpenedDatabase* newestMatching(std::string_view name, Key key) {
  auto& databases = registry().databases;
  for (auto it = databases.rbegin(); it != databases.rend(); ++it) {
    const std::string& candidate = key(**it);
    if (!candidate.empty() && platform::equalsIgnoringCase(candidate, name)) return it->get();
  }
  return nullptr;
}
}  // namespace

std::int32_t lockWaitTime() { return gLockWaitTime.load(); }
void setLockWaitTime(std::int32_t milliseconds) { gLockWaitTime.store(milliseconds); }

Registry& registry() {
  static Registry instance;
  return instance;
}

OpenedDatabase* currentDatabase() {
  Registry& r = registry();
  if (r.current < 0 || static_cast<std::size_t>(r.current) >= r.databases.size()) return nullptr;
  return r.databases[static_cast<std::size_t>(r.current)].get();
}

OpenedDatabase* findDatabase(std::string_view name) {
  if (name.empty()) return nullptr;
  if (auto* found = newestMatching(name, [](const OpenedDatabase& d) -> auto& { return d.alias; }))
    return found;
  if (auto* found = newestMatching(name, [](const OpenedDatabase& d) -> auto& { return d.bareName; }))
    return found;
  return newestMatching(name, [](const OpenedDatabase& d) -> auto& { return d.fullPath; });
}

bool selectDatabase(std::string_view name) {
  OpenedDatabase* found = findDatabase(name);
  if (!found) return setLastStoreError(code::noSuchDatabase) == code::ok;
  Registry& r = registry();
  for (std::size_t i = 0; i < r.databases.size(); ++i)
    if (r.databases[i].get() == found) r.current = static_cast<std::int32_t>(i);
  return setLastStoreError(code::ok) == code::ok;
}

void closeAllDatabases() {
  Registry& r = registry();
  r.databases.clear();
  r.current = -1;
  setLastStoreError(code::ok);
}

}  // namespace store
