#include "app/win32/drop/drop_zone.h"

#include "app/win32/drop/drop_target.h"

namespace app::win32 {

bool registerFileDropZone(std::uintptr_t window, DropZoneHandlers handlers) {
  const HWND handle = reinterpret_cast<HWND>(window);
  // The platform holds its own reference from a successful registration on.
  Microsoft::WRL::ComPtr<DropTarget> target;
  target.Attach(new DropTarget(handle, std::move(handlers)));
  return SUCCEEDED(RegisterDragDrop(handle, target.Get()));
}

void revokeFileDropZone(std::uintptr_t window) { RevokeDragDrop(reinterpret_cast<HWND>(window)); }

}  // namespace app::win32
