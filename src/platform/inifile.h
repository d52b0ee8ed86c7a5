// A small INI file in UTF-8 that keeps keys exactly as written (Chinese keys included).
// Every read opens the file afresh and every write goes to disk at once: there is no cache.
#pragma once

#include <QString>

class IniFile {
  public:
    explicit IniFile(QString path) : path_(std::move(path)) {}
    const QString &path() const { return path_; }

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // A missing key or a value that is not a decimal integer gives `def`.
    int ReadInteger(const QString &section, const QString &key, int def) const;
    // Any integer other than 0 is true; a missing or non-integer value gives `def`.
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    // Creates the file, section or key when needed. Returns false when the file cannot be
    // written; the old file then stays as it was.
    bool WriteString(const QString &section, const QString &key, const QString &value) const;

  private:
    QString path_;
};
