// A library is built in a temporary folder next to its target and moved into place only when
// it is complete, so a reader of the target never sees a half-written library.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace libraryimport {

// The files that make up a library folder.
const QStringList &libraryFileNames();

// Throws ImportError when `target` cannot take a new library: it is a file, or it already
// holds library files and `replace` is false. Writes nothing.
void checkLibraryTarget(const QString &target, bool replace);

class StagedLibrary {
  public:
    // Checks the target as above, creates its parent folders and the temporary folder.
    StagedLibrary(const QString &target, bool replace);
    // Removes the temporary folder unless commit() has moved it into place.
    ~StagedLibrary();

    QString dir() const { return temp_->path(); }

    // Moves the library into place: the temporary folder becomes the target when the target
    // is missing or empty; otherwise each file is renamed over its old copy (each rename is
    // atomic) and old library files that the new library lacks are removed.
    void commit();

  private:
    QString target_;
    bool replace_;
    std::unique_ptr<QTemporaryDir> temp_;
};

} // namespace libraryimport
