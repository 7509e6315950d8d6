#pragma once
// A data object as a drag source hands it over: chosen formats in global memory, and a record
// of which formats the receiver asked about.

#include <ole2.h>
#include <windows.h>

#include <atomic>
#include <map>
#include <string>
#include <vector>

class FakeDataObject final : public IDataObject {
 public:
  FakeDataObject() = default;

  void offerText(const std::string& ansiText);                     // CF_TEXT, zero-terminated
  void offerUnicodeText(const std::wstring& text);                 // CF_UNICODETEXT
  void offerFiles(const std::vector<std::wstring>& paths);         // CF_HDROP with wide names
  void offerRawFileList(const std::vector<unsigned char>& bytes);  // CF_HDROP as given

  // The formats that QueryGetData was asked about, in order.
  const std::vector<CLIPFORMAT>& asked() const { return asked_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  ~FakeDataObject() = default;

  std::atomic<ULONG> references_{1};
  std::map<CLIPFORMAT, std::vector<unsigned char>> offered_;
  std::vector<CLIPFORMAT> asked_;
};
