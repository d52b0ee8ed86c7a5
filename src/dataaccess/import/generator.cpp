#include "dataaccess/import/generator.h"

#include "catalogue/skeleton.h"
#include "dataaccess/import/idrules.h"
#include "dataaccess/import/sourceformat.h"
#include "dataaccess/import/stagedlibrary.h"
#include "dataaccess/schema.h"
#include "platform/dataaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <set>
#include <unordered_map>

namespace libraryimport {

namespace {

qint64 codePoints(QByteArrayView utf8) {
    qint64 n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// The real texts everything is made from.
struct TextPool {
    struct Book {
        QString title, author, note;
    };
    struct Chapter {
        QString title;
        QByteArray body;
        qint64 characters = 0;
        int book = 0; // index into books
    };
    std::vector<Book> books;
    std::vector<Chapter> chapters;
    qint64 characters = 0;

    void add(Chapter chapter) {
        chapter.characters = codePoints(chapter.body);
        characters += chapter.characters;
        chapters.push_back(std::move(chapter));
    }
};

bool isSourceFolder(const QString &dir) {
    return QFileInfo(QDir(dir).filePath(QStringLiteral("books"))).isDir();
}
bool isLibraryFolder(const QString &dir) {
    return QFileInfo::exists(QDir(dir).filePath(kCatalogueFile));
}

TextPool poolFromSource(const QString &dir, const ImportProgress &progress) {
    TextPool pool;
    const std::vector<BookFile> files = listBookFiles(dir);
    progress.startPhase(QStringLiteral("reading texts"), qint64(files.size()));
    qint64 done = 0;
    for (const BookFile &file : files) {
        SourceBook book = readBook(file.path, file.displayName);
        const int index = int(pool.books.size());
        pool.books.push_back({book.title, book.author, book.note});
        for (SourceChapter &chapter : book.chapters)
            pool.add({std::move(chapter.title), std::move(chapter.body), 0, index});
        progress.step(++done);
    }
    return pool;
}

void connectTo(TUniConnection &connection, const QString &file, const QString &key) {
    connection.ProviderName = QStringLiteral("SQLite");
    connection.Database = file;
    if (!key.isEmpty()) connection.SpecificOptions.insert(QStringLiteral("EncryptionKey"), key);
    connection.Connect();
}

TextPool poolFromLibrary(const QString &dir, const LibraryKeys &keys,
                         const ImportProgress &progress) {
    TextPool pool;
    TUniConnection catalogue, text, secondText;
    connectTo(catalogue, QDir(dir).filePath(kCatalogueFile), keys.key1);
    connectTo(text, QDir(dir).filePath(kTextFile), QString());
    connectTo(secondText, QDir(dir).filePath(kSecondTextFile), keys.key2);

    TUniQuery q(&catalogue);
    std::unordered_map<int, int> bookIndex;
    q.SQL.SetText(QStringLiteral("select id, a1, a2, a3 from wxlb order by id"));
    for (q.Open(); !q.Eof(); q.Next()) {
        bookIndex[q.FieldByName(QStringLiteral("id")).AsInteger()] = int(pool.books.size());
        pool.books.push_back({q.FieldByName(QStringLiteral("a1")).AsString(),
                              q.FieldByName(QStringLiteral("a3")).AsString(),
                              q.FieldByName(QStringLiteral("a2")).AsString()});
    }
    q.Close();

    struct Place {
        int id, fldb;
    };
    std::vector<Place> places;
    std::unordered_map<int, size_t> chapterIndex;
    q.SQL.SetText(QStringLiteral("select id, bid, zj, fldb from zjlist order by id"));
    for (q.Open(); !q.Eof(); q.Next()) {
        const int id = q.FieldByName(QStringLiteral("id")).AsInteger();
        chapterIndex[id] = pool.chapters.size();
        places.push_back({id, q.FieldByName(QStringLiteral("fldb")).AsInteger()});
        TextPool::Chapter chapter;
        chapter.title = q.FieldByName(QStringLiteral("zj")).AsString();
        const auto book = bookIndex.find(q.FieldByName(QStringLiteral("bid")).AsInteger());
        chapter.book = book == bookIndex.end() ? 0 : book->second;
        pool.chapters.push_back(std::move(chapter));
    }
    q.Close();
    if (pool.books.empty() || pool.chapters.empty())
        throw ImportError(QDir(dir).filePath(kCatalogueFile), 0,
                          QStringLiteral("the library has no chapters"));

    std::set<int> tables;
    for (const Place &p : places)
        tables.insert(p.fldb);
    progress.startPhase(QStringLiteral("reading texts"), qint64(tables.size()) + 1);
    qint64 done = 0;
    auto readBodies = [&](TUniConnection &connection, const QString &table) {
        TUniQuery body(&connection);
        body.SQL.SetText(QStringLiteral("select id, body from %1").arg(table));
        for (body.Open(); !body.Eof(); body.Next()) {
            const auto at = chapterIndex.find(body.FieldByName(QStringLiteral("id")).AsInteger());
            if (at != chapterIndex.end())
                pool.chapters[at->second].body =
                    body.FieldByName(QStringLiteral("body")).AsString().toUtf8();
        }
        body.Close();
        progress.step(++done);
    };
    for (const int n : tables)
        readBodies(text, schema::bodyTableName(n));
    readBodies(secondText, QStringLiteral("wx"));
    for (TextPool::Chapter &chapter : pool.chapters) {
        chapter.characters = codePoints(chapter.body);
        pool.characters += chapter.characters;
    }
    return pool;
}

void copyDictionariesFromSource(const QString &dir, LibraryWriter &writer) {
    const QDir dict(QDir(dir).filePath(QStringLiteral("dict")));
    for (const DictionaryTable &table : dictionaryTables()) {
        if (!dict.exists(table.file)) continue;
        const QString path = dict.filePath(table.file);
        parseDictionary(readWholeFile(path, path), path, table,
                        [&](const QStringList &values) { writer.addDictionaryRow(table, values); });
    }
}

void copyDictionariesFromLibrary(const QString &dir, const LibraryKeys &keys,
                                 LibraryWriter &writer) {
    TUniConnection catalogue, kangxi;
    connectTo(catalogue, QDir(dir).filePath(kCatalogueFile), keys.key1);
    const bool haveKangxi = QFileInfo::exists(QDir(dir).filePath(kKangxiFile));
    if (haveKangxi) connectTo(kangxi, QDir(dir).filePath(kKangxiFile), QString());
    for (const DictionaryTable &table : dictionaryTables()) {
        if (table.kangxi && !haveKangxi) continue;
        TUniQuery q(table.kangxi ? &kangxi : &catalogue);
        q.SQL.SetText(QStringLiteral("select %1 from %2")
                          .arg(table.columns.join(QLatin1Char(',')), table.table));
        QStringList values;
        for (q.Open(); !q.Eof(); q.Next()) {
            values.clear();
            for (const QString &column : table.columns)
                values << q.FieldByName(column).AsString();
            writer.addDictionaryRow(table, values);
        }
        q.Close();
    }
}

// The first `characters` code points of `text`, not splitting a line end.
QByteArray leadingCharacters(QByteArrayView text, qint64 characters) {
    qsizetype end = 0;
    for (qint64 seen = 0; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && seen++ == characters) break;
    }
    if (end > 0 && text[end - 1] == '\r') --end;
    return text.first(end).toByteArray();
}

struct PlannedBook {
    int category = 0; // index into the skeleton's (section, category) pairs
    int chapters = 1;
};

} // namespace

LibraryCounts generateLibrary(const QString &from, const QString &libraryDir,
                              const GenerateOptions &options, const ImportProgress &progress) {
    if (options.books < 1) throw ImportError(QStringLiteral("--books must be at least 1"));
    if (options.chapters < options.books)
        throw ImportError(QStringLiteral("--chapters must be at least the number of books"));
    if (options.characters < 0) throw ImportError(QStringLiteral("--chars must not be negative"));
    checkLibraryTarget(libraryDir, options.replace);
    const bool fromSource = isSourceFolder(from);
    if (!fromSource && !isLibraryFolder(from))
        throw ImportError(from, 0, QStringLiteral("neither a library source folder nor a library"));

    std::vector<std::pair<QString, QString>> shelves; // every (section, category) of the catalogue
    for (const auto &[section, list] : catalogueSkeleton())
        for (const QString &category : list.split(QLatin1Char('|')))
            shelves.emplace_back(section, category);

    // Plan the books: a sub-category each, and a long-tailed number of chapters (many books
    // with one chapter, a few with thousands), adding up to exactly options.chapters.
    std::mt19937_64 random(options.seed);
    std::vector<PlannedBook> plan(size_t(options.books));
    {
        std::uniform_int_distribution<int> shelf(0, int(shelves.size()) - 1);
        std::lognormal_distribution<double> weight(0.0, 2.0);
        std::vector<double> weights(plan.size());
        for (size_t i = 0; i < plan.size(); ++i) {
            plan[i].category = shelf(random);
            weights[i] = weight(random);
        }
        const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
        const qint64 extra = qint64(options.chapters) - options.books;
        qint64 given = 0;
        for (size_t i = 0; i < plan.size(); ++i) {
            const qint64 more = qint64(std::floor(double(extra) * weights[i] / total));
            plan[i].chapters += int(more);
            given += more;
        }
        std::uniform_int_distribution<size_t> anyBook(0, plan.size() - 1);
        for (; given < extra; ++given)
            ++plan[anyBook(random)].chapters;
        std::stable_sort(plan.begin(), plan.end(), [](const PlannedBook &a, const PlannedBook &b) {
            return a.category < b.category;
        });
    }
    // Number them now, so a plan that breaks the id ranges fails before anything is read.
    std::vector<std::pair<int, int>> ids; // book id, first chapter id
    {
        IdAllocator allocator;
        for (const PlannedBook &book : plan) {
            const QString &section = shelves[size_t(book.category)].first;
            const int id = allocator.nextBook(section);
            ids.emplace_back(id, allocator.nextChapters(section, book.chapters));
        }
    }

    const TextPool pool =
        fromSource ? poolFromSource(from, progress) : poolFromLibrary(from, options.keys, progress);
    if (pool.chapters.empty() || pool.characters == 0)
        throw ImportError(from, 0, QStringLiteral("has no text to make a library from"));

    StagedLibrary staged(libraryDir, options.replace);
    LibraryWriter writer(staged.dir(), options.keys);

    // The texts' chapters in a shuffled order, taken one after the other and shuffled again
    // once all have been used.
    std::vector<size_t> order(pool.chapters.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::shuffle(order.begin(), order.end(), random);
    size_t next = 0;
    auto take = [&]() -> const TextPool::Chapter & {
        if (next == order.size()) {
            std::shuffle(order.begin(), order.end(), random);
            next = 0;
        }
        return pool.chapters[order[next++]];
    };

    std::unordered_map<QString, int> titleUses;
    std::uniform_int_distribution<size_t> anyPoolBook(0, pool.books.size() - 1);
    std::uniform_real_distribution<double> spread(0.5, 1.5);
    qint64 charactersLeft = options.characters;
    qint64 chaptersLeft = options.chapters;
    const QByteArrayView crlf("\r\n");

    progress.startPhase(QStringLiteral("writing chapters"), options.chapters);
    qint64 written = 0;
    for (size_t b = 0; b < plan.size(); ++b) {
        const PlannedBook &planned = plan[b];
        const TextPool::Book &origin = pool.books[anyPoolBook(random)];
        BookHeader header{origin.title,
                          origin.author,
                          origin.note,
                          shelves[size_t(planned.category)].first,
                          shelves[size_t(planned.category)].second,
                          QString()};
        if (const int uses = titleUses[origin.title]++)
            header.title += QStringLiteral("（%1）").arg(uses + 1);
        writer.addBook(ids[b].first, header, planned.chapters, ids[b].second);

        for (int c = 0; c < planned.chapters; ++c) {
            const TextPool::Chapter *piece = &take();
            const QString title = piece->title;
            QByteArray body;
            if (options.characters == 0) {
                body = piece->body;
            } else {
                const qint64 target = std::max<qint64>(
                    0,
                    qint64(double(charactersLeft) / double(chaptersLeft) * spread(random) + 0.5));
                qint64 have = 0;
                while (have < target) {
                    if (piece->characters > 0) {
                        const qint64 separator = body.isEmpty() ? 0 : 2;
                        if (have + separator + piece->characters <= target) {
                            if (separator) body.append(crlf);
                            body.append(piece->body);
                            have += separator + piece->characters;
                        } else {
                            if (separator && target - have <= separator) break;
                            if (separator) body.append(crlf);
                            QByteArray part =
                                leadingCharacters(piece->body, target - have - separator);
                            // Not half a marker at the cut: drop a partial "[[[" or "]]]".
                            if (!part.isEmpty() && (part.back() == '[' || part.back() == ']')) {
                                const char bracket = part.back();
                                qsizetype run = 0;
                                while (run < part.size() && part[part.size() - 1 - run] == bracket)
                                    ++run;
                                part.chop(run % 3);
                            }
                            body.append(part);
                            have += separator + codePoints(part);
                            if (unbalancedMarkerLine(body)) {
                                body.append("]]]");
                                have += 3;
                            }
                            break;
                        }
                    }
                    piece = &take();
                }
                charactersLeft -= have;
            }
            --chaptersLeft;
            writer.addChapter(ids[b].second + c, title, body);
            if (++written % 1000 == 0) progress.step(written);
        }
    }
    progress.step(written);

    progress.startPhase(QStringLiteral("copying dictionaries"), 0);
    if (fromSource)
        copyDictionariesFromSource(from, writer);
    else
        copyDictionariesFromLibrary(from, options.keys, writer);
    writer.finish(options.vacuum, progress);

    const QString notice = QDir(from).filePath(kNoticeFile);
    if (QFileInfo::exists(notice) && !QFile::copy(notice, QDir(staged.dir()).filePath(kNoticeFile)))
        throw ImportError(notice, 0, QStringLiteral("cannot copy into the library"));
    staged.commit();
    return writer.counts();
}

} // namespace libraryimport
