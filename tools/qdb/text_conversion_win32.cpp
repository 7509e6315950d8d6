#include <windows.h>
#include <shellapi.h>

#include "tools/qdb/text_conversion.h"

namespace qdb {

namespace {

std::wstring wide(std::string_view text, UINT codePage, DWORD flags, bool& ok) {
  ok = true;
  if (text.empty()) return {};
  int size = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (size <= 0) {
    ok = false;
    return {};
  }
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

std::string narrow(std::wstring_view text, UINT codePage, bool& ok) {
  ok = true;
  if (text.empty()) return {};
  // The UTF-8 code page takes no default character; every other one reports its use.
  BOOL usedDefault = FALSE;
  BOOL* reportDefault = codePage == CP_UTF8 ? nullptr : &usedDefault;
  DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int size = ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, reportDefault);
  if (size <= 0) {
    ok = false;
    return {};
  }
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, reportDefault);
  ok = !usedDefault;
  return out;
}

}  // namespace

bool isKnownCodePage(int codePage) { return codePage > 0 && ::IsValidCodePage(static_cast<UINT>(codePage)); }

std::string toUtf8(std::string_view text, int codePage) {
  bool ok = false;
  std::wstring utf16 = wide(text, static_cast<UINT>(codePage), 0, ok);
  if (!ok) return std::string(text);
  return narrow(utf16, CP_UTF8, ok);
}

bool fromUtf8(std::string_view text, int codePage, std::string& converted) {
  bool ok = false;
  std::wstring utf16 = wide(text, CP_UTF8, MB_ERR_INVALID_CHARS, ok);
  if (!ok) return false;
  converted = narrow(utf16, static_cast<UINT>(codePage), ok);
  return ok;
}

std::vector<std::string> utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!arguments) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> out;
  for (int i = 1; i < count; ++i) {
    bool ok = false;
    out.push_back(narrow(arguments[i], CP_UTF8, ok));
  }
  ::LocalFree(arguments);
  return out;
}

}  // namespace qdb
