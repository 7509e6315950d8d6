#include <iconv.h>

#include <cerrno>

#include "tools/qdb/text_conversion.h"

namespace qdb {

namespace {

std::string iconvName(int codePage) {
  return codePage == 65001 ? "UTF-8" : "CP" + std::to_string(codePage);
}

class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : handle_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as possible; returns false at the first sequence that does not convert,
  // with `in` pointing at it.
  bool convert(const char*& in, std::size_t& left, std::string& out) {
    char buffer[256];
    while (left > 0) {
      char* next = buffer;
      std::size_t room = sizeof buffer;
      std::size_t result = iconv(handle_, const_cast<char**>(&in), &left, &next, &room);
      out.append(buffer, static_cast<std::size_t>(next - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t handle_;
};

}  // namespace

bool isKnownCodePage(int codePage) {
  return codePage > 0 && Converter("UTF-8", iconvName(codePage)).valid();
}

std::string toUtf8(std::string_view text, int codePage) {
  Converter converter("UTF-8", iconvName(codePage));
  if (!converter.valid()) return std::string(text);
  std::string out;
  const char* in = text.data();
  std::size_t left = text.size();
  while (!converter.convert(in, left, out)) {
    out += "\xEF\xBF\xBD";  // U+FFFD
    ++in;
    --left;
  }
  return out;
}

bool fromUtf8(std::string_view text, int codePage, std::string& converted) {
  Converter converter(iconvName(codePage), "UTF-8");
  converted.clear();
  const char* in = text.data();
  std::size_t left = text.size();
  return converter.valid() && converter.convert(in, left, converted);
}

std::vector<std::string> utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace qdb
