#include "store/auxiliary_chain.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "store/file_io.h"
#include "store/result_codes.h"

namespace store {

namespace {

using namespace format;

std::uint64_t blockOffset(std::int32_t block) {
  return static_cast<std::uint64_t>(block) * kBlockSize;
}

// A block being written: its bytes and the lock that keeps readers out of it meanwhile.
struct PendingBlock {
  std::int32_t number = 0;
  BlockBytes bytes{};
  ScopedLock lock;
};

int writeBlock(OpenedDatabase& db, const PendingBlock& block) {
  return writeAll(*db.auxiliary, blockOffset(block.number), block.bytes.data(), block.bytes.size())
      .code(code::auxiliaryAccess);
}

// Chooses the block for the next piece: the head of the free list, else a new block at the
// end of the file. The list counts as empty when freeHead is 0 even if freeCount says more,
// so that a list cut short by an interrupted write is never followed into block 0.
int takeBlock(OpenedDatabase& db, AuxiliaryHeader& header, std::int32_t& block) {
  if (header.freeCount > 0 && header.freeHead != 0) {
    if (header.freeHead < 1 || header.freeHead >= header.blockCount) return code::auxiliaryAccess;
    std::array<std::uint8_t, kBlockHeaderSize> bytes{};
    Transfer read = readAll(*db.auxiliary, blockOffset(header.freeHead), bytes.data(), bytes.size());
    if (int result = read.code(code::auxiliaryAccess)) return result;
    block = header.freeHead;
    header.freeHead = parseBlockHeader(bytes).next;
    --header.freeCount;
    return code::ok;
  }
  if (header.blockCount == std::numeric_limits<std::int32_t>::max()) return code::auxiliaryAccess;
  header.freeCount = 0;
  header.freeHead = 0;
  block = header.blockCount++;
  return code::ok;
}

}  // namespace

int readChain(OpenedDatabase& db, std::int32_t first, std::string& value) {
  value.clear();
  if (first <= 0) return code::ok;
  platform::LengthResult length = db.auxiliary->length();
  if (length.error != platform::ErrorKind::None) return platform::storeCodeOf(length.error);
  // A chain visits each block at most once, so it has no more blocks than the file.
  std::uint64_t stepsLeft = length.length / kBlockSize;
  ScopedLock held;
  for (std::int32_t block = first; block > 0;) {
    if (stepsLeft-- == 0) return code::auxiliaryAccess;
    ScopedLock next;
    if (int result = next.take(*db.auxiliaryLocks, blockOffset(block))) return result;
    held = std::move(next);  // the previous block's lock goes once this one is held
    BlockBytes bytes{};
    Transfer read = readAll(*db.auxiliary, blockOffset(block), bytes.data(), bytes.size());
    if (int result = read.code(code::auxiliaryAccess)) return result;
    BlockHeader header = parseBlockHeader(bytes);
    if (header.used < 0 || header.used > static_cast<std::int32_t>(kBlockDataSize))
      return code::auxiliaryAccess;
    value.append(reinterpret_cast<const char*>(bytes.data() + kBlockHeaderSize),
                 static_cast<std::size_t>(header.used));
    block = header.next;
  }
  return code::ok;
}

int writeChain(OpenedDatabase& db, std::string_view bytes, std::int32_t& first) {
  first = 0;
  if (bytes.empty()) return code::ok;
  ScopedLock headerLock;
  if (int result = headerLock.take(*db.auxiliaryLocks, kAuxiliaryHeaderLock)) return result;
  AuxiliaryHeaderBytes headerBytes{};
  Transfer read = readAll(*db.auxiliary, 0, headerBytes.data(), headerBytes.size());
  if (int result = read.code(code::auxiliaryAccess)) return result;
  AuxiliaryHeader header = parseAuxiliaryHeader(headerBytes);
  if (header.blockCount < 1) return code::auxiliaryAccess;

  PendingBlock previous;
  std::int32_t chainStart = 0;
  for (std::size_t at = 0; at < bytes.size(); at += kBlockDataSize) {
    std::string_view piece = bytes.substr(at, kBlockDataSize);
    PendingBlock current;
    if (int result = takeBlock(db, header, current.number)) return result;
    if (chainStart == 0) chainStart = current.number;
    if (int result = current.lock.take(*db.auxiliaryLocks, blockOffset(current.number))) return result;
    if (previous.number != 0) {
      putInt32<4>(previous.bytes, current.number);
      if (int result = writeBlock(db, previous)) return result;
    }
    putInt32<0>(current.bytes, previous.number);
    putInt32<8>(current.bytes, static_cast<std::int32_t>(piece.size()));
    std::memcpy(current.bytes.data() + kBlockHeaderSize, piece.data(), piece.size());
    previous = std::move(current);  // releases the lock of the block just written
  }
  if (int result = writeBlock(db, previous)) return result;
  putAuxiliaryCounters(headerBytes, header);
  if (int result = writeAll(*db.auxiliary, 0, headerBytes.data(), headerBytes.size())
                       .code(code::auxiliaryAccess))
    return result;
  first = chainStart;
  return code::ok;
}

}  // namespace store
