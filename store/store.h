#pragma once
// The entry store: single-table database files with fixed-size records, shared between
// processes through one-byte locks. One process-wide registry of open databases, one of them
// current; each open database has its own cursor.
//
// Every operation runs on the calling thread, sets lastStoreError() and reports failure by
// its result (false, 0 or an empty value). The registry is not guarded against use from
// several threads at once.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/result_codes.h"
#include "store/store_value.h"

namespace store {

// How long a lock or an open that another process refuses is retried, in milliseconds:
// 0 reports the refusal at once (the default), -1 retries without limit. Process-wide.
std::int32_t lockWaitTime();
void setLockWaitTime(std::int32_t milliseconds);

// Opens a database file and makes it current. A name without extension gets ".QDB".
// readOnly: exactly 1 opens for reading only; anything else for reading and writing.
// sharing: 1 others may read and write, 2 others may not read, 3 others may not write, any
// other value exclusive. Password-protected files and index files are not supported.
bool openDatabase(std::string_view fileName, std::string_view alias = {},
                  std::int32_t readOnly = 0, std::int32_t sharing = 1,
                  std::string_view password = {}, const std::vector<std::string>& indexFiles = {});

// Makes the database found by name current: its alias, else its bare file name, else its full
// path, ignoring letter case, the most recently opened first. False (-66) when none matches.
bool selectDatabase(std::string_view name);

// Closes every open database; the registry becomes empty and no database is current.
void closeAllDatabases();

// The record count of the current database as the file holds it now (records marked deleted
// included); waits up to about two seconds for another process's append. 0 on failure.
std::int32_t countRecords();

// Moves the cursor of the current database to its first record (without reading the file).
void goToFirstRecord();

// Moves the cursor to the 1-based record n, clamped to the records there are.
bool goToRecord(std::int32_t n);

// Reads one field of the current record: field is a name (a text) or a 1-based number.
// database, when given, names the database to read for this call only. A missing database,
// a missing field or a field parameter of another kind is fatal: the fatal-error hook is
// called. A failed read gives the empty value of the field's kind.
StoreValue readField(const StoreValue& field, std::string_view database = {});

// Appends one record to the current database: values in field order; an Empty value, or a
// missing one at the end, leaves its field zero; values beyond the fields are ignored. On
// success the cursor stands on the new record.
bool appendRecord(const std::vector<StoreValue>& values);

// Fatal errors: the internal checks of readField. errorNumber is 0 when the check has no
// number of its own; message is in the ANSI code page. The hook is expected to end the
// process (the panel shows its fatal error report and exits). If it returns, readField
// returns an empty value with lastStoreError() set to -66 or -67 (no database), -61 (no such
// field) or -72 (a field parameter that is neither a text nor a number).
using FatalErrorHook = void (*)(int errorNumber, const std::string& message);
// Installs the hook and returns the previous one. Without one, a fatal error ends the process
// with exit status -1, showing nothing.
FatalErrorHook setFatalErrorHook(FatalErrorHook hook);

}  // namespace store
