// Access provider: the Kangxi dictionary file. A Jet or ACE database is read with mdbtools;
// the SQLite copy the importer writes under the same name is read with the SQLite provider.
// Which one is decided by the file's first bytes, not by its name.
#pragma once

#include "platform/dataaccess.h"

enum class AccessFileKind { Missing, Jet, Sqlite, Unknown };

// What the file at `path` is, by its signature: "Standard Jet DB" or "Standard ACE DB" at
// offset 4 for Jet/ACE, "SQLite format 3" followed by a NUL at the start for SQLite.
AccessFileKind accessFileKind(const QString &path);

// Opens connection.Database. Statement texts go to the engine unchanged; with mdbtools only
// "select" is understood, a quoted number does not match an integer column, and a doubled
// single quote or a double-quoted text is a syntax error.
std::unique_ptr<DbSession> openAccessSession(const TUniConnection &connection);
