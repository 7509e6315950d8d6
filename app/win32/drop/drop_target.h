#pragma once
// The drop receiver as the platform's OLE layer sees it. Drag notifications come one at a
// time on the user-interface thread.

#include <ole2.h>
#include <shobjidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <atomic>

#include "app/win32/drop/drop_zone.h"

namespace app::win32 {

class DropTarget final : public IDropTarget {
 public:
  // Reference count 1; the caller releases it. `window` is where the drag image is shown.
  DropTarget(HWND window, DropZoneHandlers handlers);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Asks the data for plain text and for a file list, in that order, each in global memory;
  // the drag is acceptable when it offers either.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  // Raises got-text, then got-files, when the drop has an effect; then tells the source that
  // nothing was dropped: E_FAIL and no effect, whatever happened.
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                 DWORD* effect) override;

 private:
  ~DropTarget() = default;
  DWORD effectFor(DWORD keys, DWORD allowed) const;
  void raiseEvents(IDataObject* data);

  std::atomic<ULONG> references_{1};
  HWND window_;
  DropZoneHandlers handlers_;
  // The shell's drag-image service; null where the platform has none.
  Microsoft::WRL::ComPtr<IDropTargetHelper> dragImage_;
  bool offersText_ = false;
  bool offersFiles_ = false;
};

}  // namespace app::win32
