#pragma once
// Reading the two kinds of dragged data that the panel accepts, both in global memory.

#include <ole2.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace app::win32 {

// True when the data offers the format in global memory.
bool offersInGlobalMemory(IDataObject* data, CLIPFORMAT format);

// The CF_TEXT bytes up to their terminating zero (or to the end of the memory block, when it
// holds none). Nothing when the data cannot be had.
std::optional<std::string> readDroppedText(IDataObject* data);

// The full paths of the CF_HDROP list in the platform's order, in the ANSI code page. Nothing
// when the list cannot be had.
std::optional<std::vector<std::string>> readDroppedPaths(IDataObject* data);

}  // namespace app::win32
