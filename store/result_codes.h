#pragma once
// The store's result codes, the fixed message of each, and the per-thread code of the last
// operation.

#include <cstdint>

namespace store {

namespace code {
inline constexpr int ok = 0;
inline constexpr int unknown = -1;             // a file-layer failure without a code of its own
inline constexpr int fileNotFound = -3;
inline constexpr int pathNotFound = -4;
inline constexpr int tooManyOpenFiles = -5;
inline constexpr int accessDenied = -6;
inline constexpr int invalidHandle = -7;
inline constexpr int directoryFull = -9;
inline constexpr int seekFailed = -10;         // also: a field read at or after the end of file
inline constexpr int hardwareError = -11;
inline constexpr int sharingViolation = -12;
inline constexpr int lockViolation = -13;      // another process holds the lock
inline constexpr int diskFull = -14;
inline constexpr int endOfFile = -15;
inline constexpr int openFailed = -21;         // the file layer failed while open read the file
inline constexpr int notDatabase = -22;
inline constexpr int versionTooHigh = -23;
inline constexpr int invalidAlias = -24;
inline constexpr int databaseNotOpen = -27;
inline constexpr int lockFailed = -28;
inline constexpr int unlockFailed = -29;
inline constexpr int auxiliaryUnreadable = -35;
inline constexpr int auxiliaryVersion = -36;
inline constexpr int auxiliaryDamaged = -37;
inline constexpr int alreadyOpen = -38;
inline constexpr int outOfMemory = -45;
inline constexpr int fieldUnreadable = -46;
inline constexpr int databaseSize = -48;
inline constexpr int auxiliaryAccess = -59;
inline constexpr int noCurrentRecord = -60;
inline constexpr int noSuchField = -61;
inline constexpr int countUnreadable = -65;
inline constexpr int noSuchDatabase = -66;
inline constexpr int noCurrentDatabase = -67;
inline constexpr int kindMismatch = -72;
inline constexpr int password = -78;
}  // namespace code

// The code of the calling thread's last store operation: 0 for success, negative otherwise.
int lastStoreError();

// The fixed message of a code, in the ANSI code page (GBK); "" for 0 and the text of
// "unknown error" for a code without an entry of its own.
const char* messageOf(int code);

}  // namespace store
