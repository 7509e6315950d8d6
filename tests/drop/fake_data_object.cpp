#include "tests/drop/fake_data_object.h"

#include <shlobj.h>

#include <cstring>

void FakeDataObject::offerText(const std::string& ansiText) {
  std::vector<unsigned char> bytes(ansiText.begin(), ansiText.end());
  bytes.push_back(0);
  offered_[CF_TEXT] = bytes;
}

void FakeDataObject::offerUnicodeText(const std::wstring& text) {
  std::vector<unsigned char> bytes((text.size() + 1) * sizeof(wchar_t), 0);
  std::memcpy(bytes.data(), text.data(), text.size() * sizeof(wchar_t));
  offered_[CF_UNICODETEXT] = bytes;
}

void FakeDataObject::offerFiles(const std::vector<std::wstring>& paths) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::wstring names;
  for (const std::wstring& path : paths) {
    names += path;
    names += L'\0';
  }
  names += L'\0';
  std::vector<unsigned char> bytes(sizeof header + names.size() * sizeof(wchar_t));
  std::memcpy(bytes.data(), &header, sizeof header);
  std::memcpy(bytes.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
  offered_[CF_HDROP] = bytes;
}

void FakeDataObject::offerRawFileList(const std::vector<unsigned char>& bytes) {
  offered_[CF_HDROP] = bytes;
}

HRESULT STDMETHODCALLTYPE FakeDataObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FakeDataObject::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE FakeDataObject::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE FakeDataObject::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  asked_.push_back(format->cfFormat);
  if (!offered_.count(format->cfFormat)) return DV_E_FORMATETC;
  return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
}

HRESULT STDMETHODCALLTYPE FakeDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  const auto found = offered_.find(format->cfFormat);
  if (found == offered_.end()) return DV_E_FORMATETC;
  if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, found->second.size());
  if (!memory) return E_OUTOFMEMORY;
  std::memcpy(GlobalLock(memory), found->second.data(), found->second.size());
  GlobalUnlock(memory);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}
