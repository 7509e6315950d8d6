#include "store/fatal_error.h"

#include <cstdlib>

#include "store/store.h"

namespace store {

// 未指定当前数据库或者指定数据库未打开
const char* const kNoDatabaseMessage =
    "\xCE\xB4\xD6\xB8\xB6\xA8\xB5\xB1\xC7\xB0\xCA\xFD\xBE\xDD\xBF\xE2\xBB\xF2\xD5\xDF"
    "\xD6\xB8\xB6\xA8\xCA\xFD\xBE\xDD\xBF\xE2\xCE\xB4\xB4\xF2\xBF\xAA";
// 指定字段不存在
const char* const kNoFieldMessage = "\xD6\xB8\xB6\xA8\xD7\xD6\xB6\xCE\xB2\xBB\xB4\xE6\xD4\xDA";
// 所提供参数的数据类型不符合要求
const char* const kFieldParameterMessage =
    "\xCB\xF9\xCC\xE1\xB9\xA9\xB2\xCE\xCA\xFD\xB5\xC4\xCA\xFD\xBE\xDD\xC0\xE0\xD0\xCD"
    "\xB2\xBB\xB7\xFB\xBA\xCF\xD2\xAA\xC7\xF3";

namespace {
FatalErrorHook gHook = nullptr;
}  // namespace

FatalErrorHook setFatalErrorHook(FatalErrorHook hook) {
  FatalErrorHook previous = gHook;
  gHook = hook;
  return previous;
}

void reportFatalError(int errorNumber, const std::string& message) {
  if (!gHook) std::exit(-1);
  gHook(errorNumber, message);
}

}  // namespace store
