#pragma once
// The effect a drag over the panel gets, from the modifier keys and the effects that the drag
// source allows. The values are the platform's own drop-effect bits.

#include <cstdint>

namespace app::drop {

inline constexpr std::uint32_t kEffectNone = 0;
inline constexpr std::uint32_t kEffectCopy = 1;
inline constexpr std::uint32_t kEffectMove = 2;
inline constexpr std::uint32_t kEffectLink = 4;

// Ctrl alone asks for copy, Shift alone for move; Ctrl with Shift asks for a link, which the
// panel always refuses. With neither key: copy if allowed, else move, else link. An effect
// that the source does not allow gives none.
std::uint32_t chooseDropEffect(bool control, bool shift, std::uint32_t allowed);

}  // namespace app::drop
