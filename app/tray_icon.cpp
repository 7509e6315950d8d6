#include "app/tray_icon.h"

#include <algorithm>

namespace app {
namespace {

constexpr std::uint32_t kLeftButtonUp = 0x0202;
constexpr std::uint32_t kLeftButtonDoubleClick = 0x0203;
constexpr std::uint32_t kRightButtonUp = 0x0205;
constexpr std::uint32_t kContextMenu = 0x007B;

}  // namespace

std::array<char, 64> trayTipOf(std::string_view text) {
  std::array<char, 64> tip{};
  std::copy_n(text.begin(), std::min(text.size(), kTrayTipLength), tip.begin());
  return tip;
}

std::optional<int> trayEventOf(std::uint32_t mouseMessage) {
  switch (mouseMessage) {
    case kLeftButtonUp:
      return 1;
    case kLeftButtonDoubleClick:
      return 2;
    case kRightButtonUp:
    case kContextMenu:
      return 3;
    default:
      return std::nullopt;
  }
}

}  // namespace app
