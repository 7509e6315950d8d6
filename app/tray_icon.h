#pragma once
// The notification-area icon: the constants of its record, the tooltip rule, and which mouse
// messages become tray events of the panel.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace app {

inline constexpr std::uint32_t kTrayIconId = 100;
// Callback message, icon and tip are valid (NIF_MESSAGE | NIF_ICON | NIF_TIP).
inline constexpr std::uint32_t kTrayFlags = 7;
// The application message range begins at 0x8000; the panel's icon reports at 0x8000 + 100.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x8064;
// The tip field holds 64 bytes; at most 62 of them take text.
inline constexpr std::size_t kTrayTipLength = 62;

// The zero-filled tip field holding at most the first 62 bytes of `text`.
std::array<char, 64> trayTipOf(std::string_view text);

// Tray event types: 1 left button released, 2 left double click, 3 right button released or
// the context-menu key. Other mouse messages raise no event.
std::optional<int> trayEventOf(std::uint32_t mouseMessage);

}  // namespace app
