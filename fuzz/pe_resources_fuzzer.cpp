// Feeds bytes to the PE resource reader as a program file: lists every icon group and loads
// each one, then lays it out as an icon file.
#include <cstddef>
#include <cstdint>

#include "icons/icon_file_writer.h"
#include "icons/pe_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  icons::MemoryByteSource source({data, size});
  auto resources = icons::PeResources::open(source);
  if (!resources) return 0;
  auto keys = resources->keysOfType(icons::kIconGroupResourceType);
  if (!keys) return 0;
  for (const icons::GroupKey& key : *keys) {
    if (auto set = resources->loadIconGroup(key)) icons::encodeIconFile(*set);
  }
  return 0;
}
