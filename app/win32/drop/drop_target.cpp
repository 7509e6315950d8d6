#include "app/win32/drop/drop_target.h"

#include <shlguid.h>

#include "app/drop/drop_effect.h"
#include "app/drop/dropped_files_text.h"
#include "app/win32/drop/drop_data.h"

namespace app::win32 {

DropTarget::DropTarget(HWND window, DropZoneHandlers handlers)
    : window_(window), handlers_(std::move(handlers)) {
  // Without the service the drop works the same, only without the image of the items.
  CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                   reinterpret_cast<void**>(dragImage_.ReleaseAndGetAddressOf()));
}

HRESULT STDMETHODCALLTYPE DropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DropTarget::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE DropTarget::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

DWORD DropTarget::effectFor(DWORD keys, DWORD allowed) const {
  if (!offersText_ && !offersFiles_) return DROPEFFECT_NONE;
  return drop::chooseDropEffect((keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0, allowed);
}

HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                                DWORD* effect) {
  if (!data || !effect) return E_INVALIDARG;
  offersText_ = offersInGlobalMemory(data, CF_TEXT);
  offersFiles_ = offersInGlobalMemory(data, CF_HDROP);
  *effect = effectFor(keys, *effect);
  POINT where{point.x, point.y};
  if (dragImage_) dragImage_->DragEnter(window_, data, &where, *effect);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD keys, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = effectFor(keys, *effect);
  POINT where{point.x, point.y};
  if (dragImage_) dragImage_->DragOver(&where, *effect);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave() {
  if (dragImage_) dragImage_->DragLeave();
  offersText_ = offersFiles_ = false;
  return S_OK;
}

void DropTarget::raiseEvents(IDataObject* data) {
  if (offersText_) {
    const auto text = readDroppedText(data);
    if (text && handlers_.gotText) handlers_.gotText(*text);
  }
  if (offersFiles_) {
    const auto paths = readDroppedPaths(data);
    if (paths && !paths->empty() && handlers_.gotFiles)
      handlers_.gotFiles(drop::droppedFilesText(*paths));
  }
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* data, DWORD keys, POINTL point,
                                           DWORD* effect) {
  const DWORD chosen = effect ? effectFor(keys, *effect) : DROPEFFECT_NONE;
  POINT where{point.x, point.y};
  if (dragImage_) dragImage_->Drop(data, &where, chosen);
  if (data && chosen != DROPEFFECT_NONE) raiseEvents(data);
  offersText_ = offersFiles_ = false;
  // To the drag source nothing has been dropped, a move included: it must keep its items.
  if (effect) *effect = DROPEFFECT_NONE;
  return E_FAIL;
}

}  // namespace app::win32
