#pragma once
// Values kept in the auxiliary file as chains of 512-byte blocks.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/opened_database.h"

namespace store {

// Reads the chain that begins at block first into value. A chain that loops, a block whose
// used count is out of range and a block beyond the file are failed reads (-59).
int readChain(OpenedDatabase& db, std::int32_t first, std::string& value);

// Writes the bytes as a new chain, taking blocks from the free list before the file grows;
// first receives the number of its first block (0 for no bytes). On failure the auxiliary
// header is not written, so no block is counted as taken.
int writeChain(OpenedDatabase& db, std::string_view bytes, std::int32_t& first);

}  // namespace store
