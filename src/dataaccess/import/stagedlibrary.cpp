#include "dataaccess/import/stagedlibrary.h"

#include "dataaccess/import/importerror.h"
#include "dataaccess/import/librarywriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace libraryimport {

const QStringList &libraryFileNames() {
    // The catalogue last: it is what the program opens first.
    static const QStringList names = {kTextFile, kSecondTextFile, kKangxiFile, kNoticeFile,
                                      kCatalogueFile};
    return names;
}

namespace {
bool holdsLibraryFile(const QDir &dir) {
    for (const QString &name : libraryFileNames())
        if (name != kNoticeFile && QFileInfo::exists(dir.filePath(name))) return true;
    return false;
}

std::filesystem::path fsPath(const QString &path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
} // namespace

void checkLibraryTarget(const QString &target, bool replace) {
    const QFileInfo info(target);
    if (info.exists() && !info.isDir())
        throw ImportError(target, 0, QStringLiteral("exists and is not a folder"));
    if (info.isDir() && !replace && holdsLibraryFile(QDir(target)))
        throw ImportError(target, 0,
                          QStringLiteral("already holds a library (--replace writes over it)"));
}

StagedLibrary::StagedLibrary(const QString &target, bool replace)
    : target_(QFileInfo(target).absoluteFilePath()), replace_(replace) {
    checkLibraryTarget(target_, replace_);
    const QFileInfo info(target_);
    const QString parent = info.absolutePath();
    if (!QDir().mkpath(parent))
        throw ImportError(parent, 0, QStringLiteral("cannot create the folder"));
    temp_ = std::make_unique<QTemporaryDir>(
        QDir(parent).filePath(QStringLiteral(".%1.importing-XXXXXX").arg(info.fileName())));
    if (!temp_->isValid())
        throw ImportError(
            parent, 0,
            QStringLiteral("cannot create a temporary folder: %1").arg(temp_->errorString()));
}

StagedLibrary::~StagedLibrary() = default;

void StagedLibrary::commit() {
    checkLibraryTarget(target_, replace_);
    const QDir staged(temp_->path());
    std::error_code error;
    const QFileInfo info(target_);
    if (!info.exists() || QDir(target_).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                QDir::Hidden | QDir::System)) {
        // rename() replaces an empty folder in one step.
        std::filesystem::rename(fsPath(staged.path()), fsPath(target_), error);
        if (error)
            throw ImportError(target_, 0,
                              QStringLiteral("cannot move the library into place: %1")
                                  .arg(QString::fromStdString(error.message())));
        temp_->setAutoRemove(false);
        // Temporary folders are private to their owner; a library folder is an ordinary one.
        QFile::setPermissions(target_, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
        return;
    }
    const QDir target(target_);
    for (const QString &name : libraryFileNames()) {
        const QString from = staged.filePath(name), to = target.filePath(name);
        if (QFileInfo::exists(from)) {
            std::filesystem::rename(fsPath(from), fsPath(to), error);
            if (error)
                throw ImportError(to, 0,
                                  QStringLiteral("cannot move into place: %1")
                                      .arg(QString::fromStdString(error.message())));
        } else if (QFileInfo::exists(to) && !QFile::remove(to)) {
            throw ImportError(to, 0, QStringLiteral("cannot remove the old copy"));
        }
    }
}

} // namespace libraryimport
