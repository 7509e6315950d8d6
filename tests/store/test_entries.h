#pragma once
// The records that the test appenders write, so that a reader can tell each one is whole:
// every value follows from the appender's tag and the entry's number.

#include <string>
#include <vector>

#include "store/store_value.h"

namespace store_test {

inline std::string entryProgram(const std::string& tag, int n) {
  return "C:\\" + tag + "\\program" + std::to_string(n) + ".exe";
}

// 1 to 3 blocks, with bytes that differ from entry to entry.
inline std::string entryRemark(const std::string& tag, int n) {
  std::string remark = tag + ":" + std::to_string(n) + ":";
  remark.resize(static_cast<std::size_t>(300 + (n % 3) * 400), static_cast<char>('a' + n % 26));
  return remark;
}

inline std::vector<store::StoreValue> entryValues(const std::string& tag, int n, int count) {
  return {std::to_string(count), entryProgram(tag, n), entryRemark(tag, n)};
}

}  // namespace store_test
