#pragma once
// Reading the header's counters as the file holds them now: nothing of them is cached, so
// the records that other processes append are seen at once.

#include <array>
#include <cstdint>

#include "store/opened_database.h"

namespace store {

// recordCount and nextSerial, which an append writes together.
using CounterBytes = std::array<std::uint8_t, 8>;

// Reads the counters; the caller holds the count lock. 0, -65 when fewer than 8 bytes come, or
// the code of the file layer's error.
int readCounters(OpenedDatabase& db, CounterBytes& counters);

// The count waits up to about two seconds for another process's append, longer when
// lockWaitTime asks for more. 0 with count set, or the code of the failure.
int readRecordCount(OpenedDatabase& db, std::int32_t& count);

}  // namespace store
