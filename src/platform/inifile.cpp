#include "platform/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

QStringList readLines(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

bool isSectionHeader(const QString &line, QString *name) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// Position of `key` inside `section`: the line index of the key, and of the section header
// (-1 when absent) and of the section's last line.
struct KeyPlace {
    int header = -1;
    int key = -1;
    int lastOfSection = -1;
};

KeyPlace findKey(const QStringList &lines, const QString &section, const QString &key) {
    KeyPlace place;
    bool inSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSectionHeader(lines[i], &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection && place.header < 0) {
                place.header = i;
                place.lastOfSection = i;
            }
            continue;
        }
        if (!inSection) continue;
        if (!lines[i].trimmed().isEmpty()) place.lastOfSection = i;
        const int eq = lines[i].indexOf(QLatin1Char('='));
        if (eq > 0 && place.key < 0 && lines[i].left(eq).trimmed() == key) place.key = i;
    }
    return place;
}

} // namespace

QString IniFile::ReadString(const QString &section, const QString &key, const QString &def) const {
    const QStringList lines = readLines(path_);
    const KeyPlace place = findKey(lines, section, key);
    if (place.key < 0) return def;
    const QString &line = lines[place.key];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

int IniFile::ReadInteger(const QString &section, const QString &key, int def) const {
    bool ok = false;
    const int value = ReadString(section, key, QString()).toInt(&ok, 10);
    return ok ? value : def;
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::WriteString(const QString &section, const QString &key, const QString &value) const {
    QStringList lines = readLines(path_);
    const KeyPlace place = findKey(lines, section, key);
    const QString entry = key + QLatin1Char('=') + value;
    if (place.key >= 0) {
        lines[place.key] = entry;
    } else if (place.header >= 0) {
        lines.insert(place.lastOfSection + 1, entry);
    } else {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath())) return false;
    // Written to a temporary file and renamed, so a failed write never leaves half a file.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write((lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8());
    return file.commit();
}
