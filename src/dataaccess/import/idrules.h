// How a library numbers its books, chapters and body tables. The searches rely on these
// ranges: books of 道部 and 佛部 from 50000 up, all others below 50000; their chapters from
// 810000 up, all others below 800000; body tables of 道部 and 佛部 from 50000 up, all others
// below 50000. A chapter whose id is below 810000 and a multiple of 20 keeps its body in the
// second text database ("kelva2.dbx", table wx), every other chapter in wx<fldb> of "kelva.dbx".
#pragma once

#include <QString>

namespace libraryimport {

inline constexpr int kFirstBook = 1;
inline constexpr int kFirstDaoFoBook = 50000;
inline constexpr int kFirstChapter = 1;
inline constexpr int kLastChapter = 799999;
inline constexpr int kFirstDaoFoChapter = 810000;
inline constexpr int kFirstBodyTable = 1;
inline constexpr int kFirstDaoFoBodyTable = 50000;

// True when the chapter's body belongs in table wx of the second text database.
inline bool inSecondTextFile(int chapterId) {
    return chapterId < 810000 && chapterId % 20 == 0;
}

// The body table number of a sub-category: its position in the catalogue skeleton, counted
// from kFirstBodyTable over the sections outside 道部 and 佛部 and from kFirstDaoFoBodyTable
// over those two. 0 when the pair is not in the skeleton.
int bodyTableNumber(const QString &section, const QString &category);

// Hands out book and chapter ids in order, in the two ranges. Throws ImportError when a
// range is used up.
class IdAllocator {
  public:
    int nextBook(const QString &section);
    // `count` consecutive chapter ids for a book of `section`; returns the first.
    int nextChapters(const QString &section, int count);

  private:
    int book_ = kFirstBook;
    int daoFoBook_ = kFirstDaoFoBook;
    int chapter_ = kFirstChapter;
    qint64 daoFoChapter_ = kFirstDaoFoChapter;
};

} // namespace libraryimport
