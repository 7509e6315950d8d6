#include "app/drop/drop_effect.h"

#include <initializer_list>

namespace app::drop {

std::uint32_t chooseDropEffect(bool control, bool shift, std::uint32_t allowed) {
  auto ifAllowed = [allowed](std::uint32_t effect) {
    return (allowed & effect) != 0 ? effect : kEffectNone;
  };
  if (control && shift) return kEffectNone;
  if (control) return ifAllowed(kEffectCopy);
  if (shift) return ifAllowed(kEffectMove);
  for (std::uint32_t effect : {kEffectCopy, kEffectMove, kEffectLink})
    if (ifAllowed(effect) != kEffectNone) return effect;
  return kEffectNone;
}

}  // namespace app::drop
