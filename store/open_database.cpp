// Opening a database file: the checks of its header, descriptors and auxiliary file, and the
// repair of counts that disagree with the files' lengths. Every check is made before anything
// is written, so a file that is refused is never changed.

#include <algorithm>
#include <cstring>

#include "platform/code_page.h"
#include "store/file_io.h"
#include "store/file_names.h"
#include "store/last_error.h"
#include "store/opened_database.h"
#include "store/store.h"

namespace store {

namespace {

using namespace format;

struct OpenModes {
  platform::Access access;
  platform::Sharing sharing;
  bool readOnly;
  bool noLocks;  // the file is denied to others: their locks would be pointless
};

OpenModes modesOf(std::int32_t readOnly, std::int32_t sharing) {
  OpenModes modes{platform::Access::ReadWrite, platform::Sharing::Exclusive, readOnly == 1, false};
  if (modes.readOnly) modes.access = platform::Access::Read;
  switch (sharing) {
    case 1: modes.sharing = platform::Sharing::DenyNone; break;
    case 2: modes.sharing = platform::Sharing::DenyRead; break;
    case 3: modes.sharing = platform::Sharing::DenyWrite; break;
    default: modes.sharing = platform::Sharing::Exclusive; break;
  }
  modes.noLocks = modes.sharing == platform::Sharing::DenyRead ||
                  modes.sharing == platform::Sharing::Exclusive;
  return modes;
}

// Opens an existing file, retrying while another process's sharing mode or lock refuses it.
platform::OpenResult openExisting(const std::string& path, const OpenModes& modes) {
  platform::OpenResult result;
  retryWhileRefused(lockWaitTime(), [&] {
    result = platform::env().open(path, modes.access, modes.sharing,
                                  platform::Disposition::OpenExisting);
    return result.error == platform::ErrorKind::SharingViolation ||
           result.error == platform::ErrorKind::LockViolation;
  });
  return result;
}

// A read of the header or the descriptors that failed: an error of the file layer fails the
// open, a read that stopped short shows a file too short to be a database.
int headerReadCode(const Transfer& read) {
  if (read.complete) return code::ok;
  return read.error != platform::ErrorKind::None ? code::openFailed : code::notDatabase;
}

// The writes that bring the counts in line with the files' lengths, decided while checking.
struct Repairs {
  std::optional<std::int32_t> recordCount;
  std::optional<std::uint64_t> databaseLength;
  std::optional<AuxiliaryHeader> auxiliaryCounters;
  AuxiliaryHeaderBytes auxiliaryHeaderBytes{};
};

class Opener {
 public:
  Opener(const OpenModes& modes, OpenedDatabase& db) : modes_(modes), db_(db) {}

  int run(std::string_view password) {
    if (int result = readHeader(password)) return result;
    if (int result = readDescriptors()) return result;
    if (int result = checkLength()) return result;
    for (const FieldDescriptor& field : db_.descriptors)
      if (!isAcceptable(field, header_.recordSize)) return code::notDatabase;
    bool needsAuxiliary = std::any_of(db_.descriptors.begin(), db_.descriptors.end(),
                                      [](const FieldDescriptor& f) { return usesAuxiliaryFile(f.type()); });
    if (needsAuxiliary) {
      if (int result = openAuxiliary()) return result;
    }
    if (int result = writeRepairs()) return result;
    auxiliaryWholeLock_.release();
    return code::ok;
  }

 private:
  int readHeader(std::string_view password) {
    HeaderBytes bytes{};
    Transfer read = readAll(*db_.file, 0, bytes.data(), bytes.size());
    if (int result = headerReadCode(read)) return result;
    header_ = parseHeader(bytes);
    if (header_.magic == kProtectedMagic) return code::password;  // never deciphered here
    if (header_.magic != kDatabaseMagic) return code::notDatabase;
    if (!password.empty()) return code::password;
    if (header_.recordSize <= 0 || header_.recordCount < 0 || header_.nextSerial < 1)
      return code::notDatabase;
    if (header_.version > kCurrentVersion) return code::versionTooHigh;
    db_.version = header_.version;
    db_.recordSize = header_.recordSize;
    return code::ok;
  }

  int readDescriptors() {
    std::array<std::uint8_t, 4> countBytes{};
    Transfer read = readAll(*db_.file, kFieldCountOffset, countBytes.data(), countBytes.size());
    if (int result = headerReadCode(read)) return result;
    std::int32_t fieldCount = int32At<0>(countBytes);
    if (fieldCount < 1) return code::notDatabase;
    // The descriptors must be in the file before they are read: a damaged count must not make
    // the open allocate what the file cannot hold.
    platform::LengthResult length = db_.file->length();
    if (length.error != platform::ErrorKind::None) return code::openFailed;
    fileLength_ = length.length;
    std::uint64_t dataStart = kDescriptorsOffset + std::uint64_t{kDescriptorSize} * static_cast<std::uint64_t>(fieldCount);
    if (fileLength_ < dataStart) return code::notDatabase;
    db_.descriptors.reserve(static_cast<std::size_t>(fieldCount));
    for (std::int32_t i = 0; i < fieldCount; ++i) {
      DescriptorBytes bytes{};
      std::uint64_t at = kDescriptorsOffset + std::uint64_t{kDescriptorSize} * static_cast<std::uint64_t>(i);
      read = readAll(*db_.file, at, bytes.data(), bytes.size());
      if (int result = headerReadCode(read)) return result;
      db_.descriptors.push_back(parseDescriptor(bytes));
    }
    db_.dataStart = dataStart;
    return code::ok;
  }

  // Whole records in the file against recordCount: a read-only open refuses a file that is
  // too short; an open that may write lowers the count and cuts off what lies past the last
  // counted record (a record whose append did not complete).
  int checkLength() {
    std::uint64_t recordBytes = fileLength_ - db_.dataStart;
    std::uint64_t whole = recordBytes / static_cast<std::uint64_t>(header_.recordSize);
    std::int32_t count = header_.recordCount;
    if (whole < static_cast<std::uint64_t>(count)) {
      if (modes_.readOnly) return code::databaseSize;
      count = static_cast<std::int32_t>(whole);
      repairs_.recordCount = count;
    }
    std::uint64_t wanted = db_.recordOffset(count);
    if (!modes_.readOnly && fileLength_ != wanted) repairs_.databaseLength = wanted;
    return code::ok;
  }

  int openAuxiliary() {
    platform::OpenResult opened = platform::env().open(
        auxiliaryNameOf(db_.fullPath), modes_.access, modes_.sharing, platform::Disposition::OpenExisting);
    if (!opened.file) return code::auxiliaryUnreadable;
    db_.auxiliary = std::move(opened.file);
    db_.auxiliaryLocks.emplace(*db_.auxiliary, false);
    if (int result = auxiliaryWholeLock_.take(*db_.auxiliaryLocks, 0, kWholeFileLockLength)) return result;

    AuxiliaryHeaderBytes& bytes = repairs_.auxiliaryHeaderBytes;
    if (!readAll(*db_.auxiliary, 0, bytes.data(), bytes.size()).complete) return code::auxiliaryUnreadable;
    AuxiliaryHeader aux = parseAuxiliaryHeader(bytes);
    if (aux.magic != kAuxiliaryMagic || aux.blockCount < 1 || aux.freeCount < 0 ||
        aux.freeCount >= aux.blockCount || aux.freeHead < 0 || aux.freeHead >= aux.blockCount)
      return code::auxiliaryUnreadable;
    if (aux.version != header_.version) return code::auxiliaryVersion;

    platform::LengthResult length = db_.auxiliary->length();
    if (length.error != platform::ErrorKind::None) return code::auxiliaryUnreadable;
    std::uint64_t whole = length.length / kBlockSize;
    if (modes_.readOnly && whole < static_cast<std::uint64_t>(aux.blockCount))
      return code::auxiliaryDamaged;
    // Block 0 counts as present once its header has been read, so that a repair never leaves
    // a file without its header block.
    whole = std::max<std::uint64_t>(whole, 1);
    if (whole < static_cast<std::uint64_t>(aux.blockCount)) {
      aux.blockCount = static_cast<std::int32_t>(whole);
      // Free blocks past the new end are gone: a list that reaches there is dropped, so that
      // the repaired header still passes the checks above.
      if (aux.freeHead >= aux.blockCount || aux.freeCount >= aux.blockCount) {
        aux.freeHead = 0;
        aux.freeCount = 0;
      }
      repairs_.auxiliaryCounters = aux;
    }
    return code::ok;
  }

  int writeRepairs() {
    if (repairs_.recordCount) {
      std::array<std::uint8_t, 4> bytes{};
      putInt32<0>(bytes, *repairs_.recordCount);
      if (!writeAll(*db_.file, kRecordCountOffset, bytes.data(), bytes.size()).complete) return code::openFailed;
    }
    if (repairs_.databaseLength &&
        db_.file->setLength(*repairs_.databaseLength) != platform::ErrorKind::None)
      return code::openFailed;
    if (repairs_.auxiliaryCounters) {
      AuxiliaryHeaderBytes& bytes = repairs_.auxiliaryHeaderBytes;
      putAuxiliaryCounters(bytes, *repairs_.auxiliaryCounters);
      if (!writeAll(*db_.auxiliary, 0, bytes.data(), bytes.size()).complete) return code::auxiliaryUnreadable;
    }
    return code::ok;
  }

  const OpenModes& modes_;
  OpenedDatabase& db_;
  StoreHeader header_;
  std::uint64_t fileLength_ = 0;  // at least dataStart once the descriptors are read
  Repairs repairs_;
  ScopedLock auxiliaryWholeLock_;
};

int open(std::string_view fileName, std::string_view alias, std::int32_t readOnly,
         std::int32_t sharing, std::string_view password,
         const std::vector<std::string>& indexFiles) {
  if (fileName.empty()) return code::fileNotFound;
  std::string fullPath = platform::env().fullPath(withDefaultExtension(fileName));
  if (fullPath.empty()) return code::pathNotFound;
  for (const auto& open : registry().databases)
    if (platform::equalsIgnoringCase(open->fullPath, fullPath)) return code::alreadyOpen;
  if (!alias.empty() && !isValidAlias(alias)) return code::invalidAlias;
  // Index files would have to be kept up to date by every append; they are not supported,
  // and a store that would leave them stale is not opened.
  if (!indexFiles.empty()) return code::openFailed;

  OpenModes modes = modesOf(readOnly, sharing);
  platform::OpenResult opened = openExisting(fullPath, modes);
  if (!opened.file) return platform::storeCodeOf(opened.error);

  auto db = std::make_unique<OpenedDatabase>();
  db->file = std::move(opened.file);
  db->locks.emplace(*db->file, modes.noLocks);
  db->fullPath = fullPath;
  db->bareName = bareNameOf(fullPath);
  db->alias = std::string(alias);

  int result;
  {
    ScopedLock wholeFile;
    if ((result = wholeFile.take(*db->locks, 0, kWholeFileLockLength))) return result;
    Opener opener(modes, *db);
    if ((result = opener.run(password))) return result;
  }

  Registry& r = registry();
  r.databases.push_back(std::move(db));
  r.current = static_cast<std::int32_t>(r.databases.size() - 1);
  return code::ok;
}

}  // namespace

bool openDatabase(std::string_view fileName, std::string_view alias, std::int32_t readOnly,
                  std::int32_t sharing, std::string_view password,
                  const std::vector<std::string>& indexFiles) {
  return setLastStoreError(open(fileName, alias, readOnly, sharing, password, indexFiles)) == code::ok;
}

}  // namespace store
