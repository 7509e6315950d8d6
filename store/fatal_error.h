#pragma once
// The internal checks of the store that stop the process.

#include <string>

namespace store {

// Calls the installed fatal-error hook (or ends the process when there is none).
void reportFatalError(int errorNumber, const std::string& message);

// The messages of the three checks of readField, GBK.
extern const char* const kNoDatabaseMessage;
extern const char* const kNoFieldMessage;
extern const char* const kFieldParameterMessage;

}  // namespace store
