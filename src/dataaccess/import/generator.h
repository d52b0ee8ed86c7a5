// A library of any size for benchmarks, made from real texts: the chapters of an existing
// source folder or library, repeated and shuffled into the requested number of books and
// chapters and the requested amount of text. Ids, files and tables follow the same rules as
// an imported library (idrules.h, librarywriter.h); the dictionaries and the notice file are
// copied from the texts' origin.
#pragma once

#include "dataaccess/import/importerror.h"
#include "dataaccess/import/librarywriter.h"

namespace libraryimport {

struct GenerateOptions {
    int books = 20000;
    int chapters = 280000;
    // Total characters of all chapter bodies; 0 keeps every chapter as long as the chapter
    // of the texts it is made from.
    qint64 characters = 0;
    quint32 seed = 1;
    bool replace = false;
    bool vacuum = true;
    LibraryKeys keys = LibraryKeys::fromConfiguration(); // of the new library and of `from`
};

// `from` is a source folder (it has a "books" folder) or a library folder (it has "wxlb.dbx").
LibraryCounts generateLibrary(const QString &from, const QString &libraryDir,
                              const GenerateOptions &options = {},
                              const ImportProgress &progress = {});

} // namespace libraryimport
