// On Windows, the platform's own resource functions are the reference: the groups that
// EnumResourceNamesA reports, in its order, and the RT_ICON bytes that FindResourceA finds must
// be what this program's own reader gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "icons/icon_groups.h"
#include "tests/icons/test_files.h"

namespace {

struct Module {
  explicit Module(const std::string& path)
      : handle(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~Module() {
    if (handle) FreeLibrary(handle);
  }
  HMODULE handle;
};

// The group keys as the platform reports them, names as plain ASCII text.
BOOL CALLBACK collect(HMODULE, LPCSTR, LPSTR name, LONG_PTR keys) {
  auto* list = reinterpret_cast<std::vector<icons::GroupKey>*>(keys);
  if (IS_INTRESOURCE(name)) {
    list->emplace_back(static_cast<std::uint16_t>(reinterpret_cast<ULONG_PTR>(name)));
  } else {
    list->emplace_back(std::u16string(name, name + std::strlen(name)));
  }
  return TRUE;
}

platform::Bytes platformResource(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  return platform::Bytes(bytes, bytes + SizeofResource(module, found));
}

// Every group's order is compared; the images of every `imageStride`th group and of the last.
void expectAgreement(const std::string& path, std::size_t imageStride = 1) {
  SCOPED_TRACE(path);
  Module module(path);
  ASSERT_TRUE(module.handle);
  std::vector<icons::GroupKey> reported;
  EnumResourceNamesA(module.handle, MAKEINTRESOURCEA(14), collect,
                     reinterpret_cast<LONG_PTR>(&reported));
  ASSERT_EQ(icons::listIconGroups(path), reported);
  for (std::size_t g = 0; g < reported.size(); ++g) {
    if (g % imageStride != 0 && g + 1 != reported.size()) continue;
    const icons::GroupKey& key = reported[g];
    auto set = icons::loadIconGroup(path, key);
    ASSERT_TRUE(set) << icons::describeGroupKey(key);
    std::string name;
    if (const auto* text = std::get_if<std::u16string>(&key))
      name.assign(text->begin(), text->end());
    const platform::Bytes group = platformResource(
        module.handle, name.empty() ? MAKEINTRESOURCEA(std::get<std::uint16_t>(key)) : name.c_str(),
        MAKEINTRESOURCEA(14));
    ASSERT_EQ(group.size(), 6 + 14 * std::size_t{set->count()});
    for (std::size_t i = 0; i < set->images.size(); ++i) {
      const WORD number = static_cast<WORD>(group[6 + 14 * i + 12] | group[6 + 14 * i + 13] << 8);
      EXPECT_EQ(set->images[i].bytes,
                platformResource(module.handle, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(3)))
          << icons::describeGroupKey(key) << " image " << i;
    }
  }
}

TEST(PlatformLoader, AgreesOnGroupsAndImages) {
  for (const char* name : {"one_group.exe", "mixed_groups.dll", "named_group.exe"})
    expectAgreement(icons_test::builtFixture(name));
  char system[MAX_PATH];
  const UINT length = GetSystemDirectoryA(system, MAX_PATH);
  if (length > 0 && length < MAX_PATH) expectAgreement(std::string(system) + "\\shell32.dll", 10);
}

}  // namespace
