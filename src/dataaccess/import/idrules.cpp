#include "dataaccess/import/idrules.h"

#include "catalogue/skeleton.h"
#include "dataaccess/import/importerror.h"

#include <limits>

namespace libraryimport {

int bodyTableNumber(const QString &section, const QString &category) {
    int other = kFirstBodyTable, daoFo = kFirstDaoFoBodyTable;
    for (const auto &[name, list] : catalogueSkeleton()) {
        const bool special = isDaoFoSection(name);
        for (const QString &entry : list.split(QLatin1Char('|'))) {
            int &next = special ? daoFo : other;
            if (name == section && entry == category) return next;
            ++next;
        }
    }
    return 0;
}

int IdAllocator::nextBook(const QString &section) {
    if (isDaoFoSection(section)) {
        if (daoFoBook_ == std::numeric_limits<int>::max())
            throw ImportError(QStringLiteral("too many books in 道部 and 佛部"));
        return daoFoBook_++;
    }
    if (book_ >= kFirstDaoFoBook)
        throw ImportError(QStringLiteral("too many books outside 道部 and 佛部 (their ids must "
                                         "stay below %1)")
                              .arg(kFirstDaoFoBook));
    return book_++;
}

int IdAllocator::nextChapters(const QString &section, int count) {
    if (isDaoFoSection(section)) {
        if (daoFoChapter_ + count - 1 > std::numeric_limits<int>::max())
            throw ImportError(QStringLiteral("too many chapters in 道部 and 佛部"));
        const int first = int(daoFoChapter_);
        daoFoChapter_ += count;
        return first;
    }
    if (qint64(chapter_) + count - 1 > kLastChapter)
        throw ImportError(QStringLiteral("too many chapters outside 道部 and 佛部 (their ids must "
                                         "stay below %1)")
                              .arg(kLastChapter + 1));
    const int first = chapter_;
    chapter_ += count;
    return first;
}

} // namespace libraryimport
