#include "dataaccess/import/sourceformat.h"

#include "catalogue/skeleton.h"

#include <QByteArrayView>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <algorithm>

namespace libraryimport {

namespace {

const QByteArrayView kBom("\xEF\xBB\xBF");
const QByteArrayView kCrLf("\r\n");

QByteArrayView withoutBom(QByteArrayView content) {
    return content.startsWith(kBom) ? content.sliced(kBom.size()) : content;
}

// Lines without their line ends (LF or CR LF).
std::vector<QByteArrayView> splitLines(QByteArrayView content) {
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0) end = content.size();
        QByteArrayView line = content.sliced(start, end - start);
        if (line.endsWith('\r')) line.chop(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Throws when `content` is not valid UTF-8, naming the first line that is not.
void requireUtf8(QByteArrayView content, const QString &file) {
    if (content.isValidUtf8()) return;
    int line = 1;
    qsizetype start = 0;
    while (start <= content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0) end = content.size();
        if (!content.sliced(start, end - start).isValidUtf8()) break;
        start = end + 1;
        ++line;
    }
    throw ImportError(file, line, QStringLiteral("invalid UTF-8"));
}

bool isBlank(QByteArrayView line) {
    return std::all_of(line.begin(), line.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
    });
}

bool isHeading(QByteArrayView line) {
    return line.startsWith("## ");
}

QString text(QByteArrayView bytes) {
    return QString::fromUtf8(bytes).trimmed();
}

struct HeaderKey {
    const char *name;
    QString SourceBook::*field;
};
const HeaderKey kHeaderKeys[] = {
    {"title", &SourceBook::title},       {"author", &SourceBook::author},
    {"note", &SourceBook::note},         {"section", &SourceBook::section},
    {"category", &SourceBook::category}, {"zmf", &SourceBook::zmf},
};

QString headerKeyList() {
    QStringList names;
    for (const HeaderKey &key : kHeaderKeys)
        names << QString::fromLatin1(key.name);
    return names.join(QStringLiteral(", "));
}

QString sectionList() {
    QStringList names;
    for (const auto &entry : catalogueSkeleton())
        names << entry.first;
    return names.join(QStringLiteral(", "));
}

// Line numbers are 1-based; `lines[i]` is line i + 1.
void parseHeader(const std::vector<QByteArrayView> &lines, size_t &i, SourceBook &book) {
    int keyLine[std::size(kHeaderKeys)] = {};
    for (; i < lines.size() && !isBlank(lines[i]) && !isHeading(lines[i]); ++i) {
        const int lineNo = int(i) + 1;
        const QByteArrayView line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            throw ImportError(
                book.file, lineNo,
                QStringLiteral("expected a header line \"key: value\" or a blank line "
                               "before the chapters"));
        const QString key = text(line.first(colon));
        const auto *known =
            std::find_if(std::begin(kHeaderKeys), std::end(kHeaderKeys),
                         [&](const HeaderKey &k) { return key == QLatin1String(k.name); });
        if (known == std::end(kHeaderKeys))
            throw ImportError(book.file, lineNo,
                              QStringLiteral("unknown header key \"%1\" (known keys: %2)")
                                  .arg(key, headerKeyList()));
        const size_t index = size_t(known - std::begin(kHeaderKeys));
        if (keyLine[index])
            throw ImportError(book.file, lineNo,
                              QStringLiteral("header key \"%1\" given twice (first on line %2)")
                                  .arg(key)
                                  .arg(keyLine[index]));
        keyLine[index] = lineNo;
        book.*(known->field) = text(line.sliced(colon + 1));
    }

    auto lineOf = [&](const char *name) {
        for (size_t k = 0; k < std::size(kHeaderKeys); ++k)
            if (qstrcmp(kHeaderKeys[k].name, name) == 0 && keyLine[k]) return keyLine[k];
        return 1;
    };
    for (const char *required : {"title", "section", "category"}) {
        const auto *key =
            std::find_if(std::begin(kHeaderKeys), std::end(kHeaderKeys),
                         [&](const HeaderKey &k) { return qstrcmp(k.name, required) == 0; });
        if ((book.*(key->field)).isEmpty())
            throw ImportError(book.file, lineOf(required),
                              QStringLiteral("missing %1 (a header line \"%1: ...\")")
                                  .arg(QLatin1String(required)));
    }
    const QStringList categories = skeletonCategories(book.section);
    if (categories.isEmpty())
        throw ImportError(
            book.file, lineOf("section"),
            QStringLiteral("unknown section \"%1\" (one of %2)").arg(book.section, sectionList()));
    if (!categories.contains(book.category))
        throw ImportError(
            book.file, lineOf("category"),
            QStringLiteral("unknown category \"%1\" of section %2 (one of %3)")
                .arg(book.category, book.section, categories.join(QStringLiteral(", "))));
}

} // namespace

int unbalancedMarkerLine(const QByteArray &body) {
    const QByteArrayView open("[[["), close("]]]");
    auto lineAt = [&](qsizetype pos) {
        return int(QByteArrayView(body).first(pos).count('\n')) + 1;
    };
    qsizetype nextOpen = body.indexOf(open), nextClose = body.indexOf(close);
    qsizetype openAt = -1;
    while (nextOpen >= 0 || nextClose >= 0) {
        const bool isOpen = nextClose < 0 || (nextOpen >= 0 && nextOpen < nextClose);
        const qsizetype at = isOpen ? nextOpen : nextClose;
        if (isOpen) {
            if (openAt >= 0) return lineAt(openAt); // opened again before it was closed
            openAt = at;
        } else {
            if (openAt < 0) return lineAt(at); // closed without being opened
            openAt = -1;
        }
        const qsizetype from = at + 3;
        if (nextOpen >= 0 && nextOpen < from) nextOpen = body.indexOf(open, from);
        if (nextClose >= 0 && nextClose < from) nextClose = body.indexOf(close, from);
    }
    return openAt >= 0 ? lineAt(openAt) : 0;
}

SourceBook parseBook(const QByteArray &raw, const QString &file, const ImportProgress &progress) {
    const QByteArrayView content = withoutBom(raw);
    requireUtf8(content, file);
    const std::vector<QByteArrayView> lines = splitLines(content);

    SourceBook book;
    book.file = file;
    size_t i = 0;
    while (i < lines.size() && isBlank(lines[i]))
        ++i;
    parseHeader(lines, i, book);

    for (; i < lines.size() && !isHeading(lines[i]); ++i)
        if (!isBlank(lines[i]))
            throw ImportError(file, int(i) + 1,
                              QStringLiteral("text before the first chapter (a chapter begins with "
                                             "a line \"## \" and its title)"));

    while (i < lines.size()) {
        SourceChapter chapter;
        chapter.line = int(i) + 1;
        chapter.title = text(lines[i].sliced(2));
        if (chapter.title.isEmpty())
            throw ImportError(file, chapter.line, QStringLiteral("chapter without a title"));
        size_t first = ++i;
        while (i < lines.size() && !isHeading(lines[i]))
            ++i;
        size_t last = i; // one past the body
        while (first < last && isBlank(lines[first]))
            ++first;
        while (last > first && isBlank(lines[last - 1]))
            --last;

        qsizetype size = 0;
        for (size_t k = first; k < last; ++k)
            size += lines[k].size() + 2;
        chapter.body.reserve(size);
        for (size_t k = first; k < last; ++k) {
            QByteArrayView line = lines[k];
            if (line.startsWith("\\## ")) line = line.sliced(1);
            if (k > first) chapter.body.append(kCrLf);
            chapter.body.append(line);
        }
        if (const int bad = unbalancedMarkerLine(chapter.body))
            progress.warn(ImportError::format(
                file, int(first) + bad,
                QStringLiteral("unbalanced \"[[[\" \"]]]\" in chapter \"%1\"").arg(chapter.title)));
        book.chapters.push_back(std::move(chapter));
    }
    if (book.chapters.empty())
        throw ImportError(file, std::max<int>(1, int(lines.size())),
                          QStringLiteral("the book has no chapters (a chapter begins with a line "
                                         "\"## \" and its title)"));
    return book;
}

QByteArray readWholeFile(const QString &path, const QString &displayName) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ImportError(displayName, 0, QStringLiteral("cannot read: %1").arg(f.errorString()));
    QByteArray content = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ImportError(displayName, 0, QStringLiteral("cannot read: %1").arg(f.errorString()));
    return content;
}

SourceBook readBook(const QString &path, const QString &displayName,
                    const ImportProgress &progress) {
    return parseBook(readWholeFile(path, displayName), displayName, progress);
}

std::vector<BookFile> listBookFiles(const QString &sourceDir) {
    const QDir books(QDir(sourceDir).filePath(QStringLiteral("books")));
    const QString shown = QDir::cleanPath(QDir(sourceDir).filePath(QStringLiteral("books")));
    if (!books.exists()) throw ImportError(shown, 0, QStringLiteral("no such folder"));

    struct Entry {
        QByteArray key; // UTF-8 orders like code points
        BookFile file;
    };
    std::vector<Entry> entries;
    QDirIterator it(books.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(QLatin1String(".book"))) continue;
        const QString relative = books.relativeFilePath(path);
        entries.push_back(
            {relative.toUtf8(),
             {QFileInfo(path).absoluteFilePath(), shown + QLatin1Char('/') + relative}});
    }
    if (entries.empty())
        throw ImportError(shown, 0, QStringLiteral("no \".book\" files in this folder"));
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.key < b.key; });
    std::vector<BookFile> files;
    files.reserve(entries.size());
    for (Entry &e : entries)
        files.push_back(std::move(e.file));
    return files;
}

const std::vector<DictionaryTable> &dictionaryTables() {
    static const std::vector<DictionaryTable> tables = {
        {QStringLiteral("zizi.tsv"),
         QStringLiteral("zizi"),
         {"zi", "py", "bs", "bhs", "guyi", "jb", "xx"},
         false},
        {QStringLiteral("ncidian.tsv"), QStringLiteral("ncidian"), {"ci", "py", "js"}, false},
        {QStringLiteral("cidian.tsv"), QStringLiteral("cidian"), {"ci", "py", "js"}, false},
        {QStringLiteral("kxzd.tsv"), QStringLiteral("kxzd"), {"a", "yin", "uc", "b", "d"}, true},
    };
    return tables;
}

namespace {
QString unescape(QByteArrayView field) {
    QString value = QString::fromUtf8(field);
    if (!value.contains(QLatin1Char('\\'))) return value;
    QString out;
    out.reserve(value.size());
    for (qsizetype k = 0; k < value.size(); ++k) {
        const QChar c = value.at(k);
        if (c == QLatin1Char('\\') && k + 1 < value.size()) {
            const QChar n = value.at(k + 1);
            if (n == QLatin1Char('n')) {
                out += QLatin1String("\r\n");
                ++k;
                continue;
            }
            if (n == QLatin1Char('t') || n == QLatin1Char('\\')) {
                out += n == QLatin1Char('t') ? QLatin1Char('\t') : QLatin1Char('\\');
                ++k;
                continue;
            }
        }
        out += c;
    }
    return out;
}
} // namespace

qint64 parseDictionary(const QByteArray &raw, const QString &file, const DictionaryTable &table,
                       const std::function<void(const QStringList &values)> &row) {
    const QByteArrayView content = withoutBom(raw);
    requireUtf8(content, file);
    const std::vector<QByteArrayView> lines = splitLines(content);
    if (lines.empty() || isBlank(lines[0]))
        throw ImportError(file, 1,
                          QStringLiteral("expected a header line naming the columns (%1)")
                              .arg(table.columns.join(QLatin1Char(' '))));

    std::vector<int> target; // field k goes to column target[k]
    for (QByteArrayView name : QByteArrayView(lines[0]).toByteArray().split('\t')) {
        const QString column = text(name);
        const int index = int(table.columns.indexOf(column));
        if (index < 0)
            throw ImportError(file, 1,
                              QStringLiteral("unknown column \"%1\" (columns of %2: %3)")
                                  .arg(column, table.table, table.columns.join(QLatin1Char(' '))));
        if (std::find(target.begin(), target.end(), index) != target.end())
            throw ImportError(file, 1, QStringLiteral("column \"%1\" named twice").arg(column));
        target.push_back(index);
    }
    if (std::find(target.begin(), target.end(), 0) == target.end())
        throw ImportError(
            file, 1,
            QStringLiteral("the header lacks the key column \"%1\"").arg(table.columns.first()));

    qint64 rows = 0;
    QStringList values;
    for (size_t i = 1; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        if (line.isEmpty()) continue;
        const int lineNo = int(i) + 1;
        values = QStringList(table.columns.size(), QString());
        size_t field = 0;
        qsizetype start = 0;
        while (true) {
            qsizetype end = line.indexOf('\t', start);
            if (end < 0) end = line.size();
            if (field < target.size())
                values[target[field]] = unescape(line.sliced(start, end - start));
            ++field;
            if (end == line.size()) break;
            start = end + 1;
        }
        if (field != target.size())
            throw ImportError(file, lineNo,
                              QStringLiteral("expected %1 columns separated by tabs, found %2")
                                  .arg(target.size())
                                  .arg(field));
        if (values[0].isEmpty())
            throw ImportError(file, lineNo, QStringLiteral("empty %1").arg(table.columns.first()));
        row(values);
        ++rows;
    }
    return rows;
}

} // namespace libraryimport
