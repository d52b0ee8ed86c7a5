// Building a library folder from a library source folder (see sourceformat.h): the whole
// source is checked first, then the library is written into a temporary folder next to the
// target and moved into place. Bad input throws ImportError and writes nothing.
#pragma once

#include "dataaccess/import/importerror.h"
#include "dataaccess/import/librarywriter.h"

namespace libraryimport {

struct ImportOptions {
    bool replace = false; // write over a library already in the target folder
    bool vacuum = true;   // compact every file at the end
    LibraryKeys keys = LibraryKeys::fromConfiguration();
};

LibraryCounts importLibrary(const QString &sourceDir, const QString &libraryDir,
                            const ImportOptions &options = {}, const ImportProgress &progress = {});

} // namespace libraryimport
