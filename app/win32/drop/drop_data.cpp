#include "app/win32/drop/drop_data.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace app::win32 {
namespace {

FORMATETC globalFormat(CLIPFORMAT format) {
  return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// The data of one format in global memory, released with the object.
class GlobalData {
 public:
  GlobalData(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = globalFormat(format);
    got_ = SUCCEEDED(data->GetData(&wanted, &medium_));
  }
  ~GlobalData() {
    if (got_) ReleaseStgMedium(&medium_);
  }
  GlobalData(const GlobalData&) = delete;
  GlobalData& operator=(const GlobalData&) = delete;

  HGLOBAL handle() const {
    return got_ && medium_.tymed == TYMED_HGLOBAL ? medium_.hGlobal : nullptr;
  }

 private:
  STGMEDIUM medium_{};
  bool got_ = false;
};

// A locked global memory block and its size, unlocked with the object.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL handle)
      : handle_(handle),
        bytes_(handle ? static_cast<const char*>(GlobalLock(handle)) : nullptr),
        size_(bytes_ ? GlobalSize(handle) : 0) {}
  ~LockedBlock() {
    if (bytes_) GlobalUnlock(handle_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;

  const char* bytes() const { return bytes_; }
  std::size_t size() const { return size_; }

 private:
  HGLOBAL handle_;
  const char* bytes_;
  std::size_t size_;
};

// True when the block holds a whole file list: the list header, then at least one name of
// `unit`-byte characters, each name ending in a zero character, and an empty name after the
// last, all inside the block. The platform's list reader trusts the list to end, and reads
// past an empty list's end; a list from another program is checked first.
bool holdsWholeFileList(const LockedBlock& block) {
  DROPFILES header;
  if (!block.bytes() || block.size() < sizeof header) return false;
  std::memcpy(&header, block.bytes(), sizeof header);
  const std::size_t unit = header.fWide ? sizeof(wchar_t) : 1;
  auto isZeroAt = [&](std::size_t offset) {
    for (std::size_t i = 0; i < unit; ++i)
      if (block.bytes()[offset + i] != 0) return false;
    return true;
  };
  std::size_t offset = header.pFiles;
  if (offset < sizeof header) return false;
  bool nameStart = true;
  bool anyName = false;
  while (offset <= block.size() && unit <= block.size() - offset) {
    const bool zero = isZeroAt(offset);
    if (zero && nameStart) return anyName;
    anyName = anyName || !zero;
    nameStart = zero;
    offset += unit;
  }
  return false;
}

}  // namespace

bool offersInGlobalMemory(IDataObject* data, CLIPFORMAT format) {
  FORMATETC wanted = globalFormat(format);
  return data->QueryGetData(&wanted) == S_OK;
}

std::optional<std::string> readDroppedText(IDataObject* data) {
  GlobalData text(data, CF_TEXT);
  LockedBlock block(text.handle());
  if (!block.bytes()) return std::nullopt;
  const void* end = std::memchr(block.bytes(), 0, block.size());
  const std::size_t length =
      end ? static_cast<std::size_t>(static_cast<const char*>(end) - block.bytes()) : block.size();
  return std::string(block.bytes(), length);
}

std::optional<std::vector<std::string>> readDroppedPaths(IDataObject* data) {
  GlobalData list(data, CF_HDROP);
  {
    LockedBlock block(list.handle());
    if (!holdsWholeFileList(block)) return std::nullopt;
  }
  const auto drop = static_cast<HDROP>(list.handle());
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  paths.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string path(static_cast<std::size_t>(length) + 1, '\0');
    const UINT copied = DragQueryFileA(drop, i, path.data(), length + 1);
    path.resize(copied);
    paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace app::win32
