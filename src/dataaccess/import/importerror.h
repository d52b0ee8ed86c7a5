// Errors and progress reports of building a library from its source folder.
#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

namespace libraryimport {

// Bad input or a failure while writing. `file` and `line` name the place when there is one
// (line 0: the file as a whole; empty file: no particular file).
class ImportError : public std::runtime_error {
  public:
    ImportError(const QString &file, int line, const QString &message)
        : std::runtime_error(format(file, line, message).toStdString()), file_(file), line_(line),
          message_(message) {}
    explicit ImportError(const QString &message) : ImportError(QString(), 0, message) {}

    const QString &file() const { return file_; }
    int line() const { return line_; }
    const QString &message() const { return message_; }
    // "file:line: message", "file: message" or "message".
    QString text() const { return QString::fromStdString(what()); }

    static QString format(const QString &file, int line, const QString &message) {
        if (file.isEmpty()) return message;
        if (line <= 0) return QStringLiteral("%1: %2").arg(file, message);
        return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message);
    }

  private:
    QString file_;
    int line_;
    QString message_;
};

// Where a long run reports to. Every member may be left empty.
struct ImportProgress {
    // A new phase begins; `total` steps are expected (0: unknown).
    std::function<void(const QString &phase, qint64 total)> phase;
    // `done` steps of the current phase are finished.
    std::function<void(qint64 done)> advance;
    // A problem that does not stop the run, already formatted like an error.
    std::function<void(const QString &message)> warning;

    void startPhase(const QString &name, qint64 total) const {
        if (phase) phase(name, total);
    }
    void step(qint64 done) const {
        if (advance) advance(done);
    }
    void warn(const QString &message) const {
        if (warning) warning(message);
    }
};

} // namespace libraryimport
