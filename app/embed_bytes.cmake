# Writes a C++ source that defines app::panelIconBytes() from the bytes of a file.
#   cmake -DINPUT=file -DOUTPUT=source.cpp -P embed_bytes.cmake
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Made by app/embed_bytes.cmake from ${INPUT}.
#include \"app/panel_icon.h\"

namespace app {

const platform::Bytes& panelIconBytes() {
  static const platform::Bytes bytes = {
${bytes}
  };
  return bytes;
}

}  // namespace app
")
