// SQLite provider over SQLCipher's build of SQLite (page encryption with a key text).
#pragma once

#include "platform/dataaccess.h"

// Options read from the connection: "EncryptionKey" (a non-empty key turns page encryption
// on) and "SQLite.ForceCreateDatabase" ("True" creates a missing file; otherwise a missing file
// is an error, since the program never creates its own databases).
std::unique_ptr<DbSession> openSqliteSession(const TUniConnection &connection);

// Page size of every encrypted file the program reads or writes: 4 KiB pages scan about
// twice as fast as the 1 KiB default, and the importer and the program must agree on it.
inline constexpr int kCipherPageSize = 4096;

struct sqlite3;
// Opens a SQLite file the way every part of the program must: with `key` (empty: none) and
// the cipher page size set before the first statement, and a first read that shows a wrong
// key or a file that is no database at once. Throws DbError; the caller closes the handle.
sqlite3 *openSqliteHandle(const QString &path, const QString &key, bool create);
