#include "catalogue/markup.h"

#include <vector>

namespace {

// The text as it shrinks: original characters with a flag for the ones already deleted.
class ShrinkingText {
  public:
    explicit ShrinkingText(const QString &text)
        : text_(text), alive_(text.size(), true), colored_(text.size(), false) {}

    int size() const { return int(text_.size()); }

    // First original index at or after `from` that starts three live `ch` in a row; -1 if none.
    int findRun(int from, QChar ch) const {
        int run = 0, runStart = -1;
        for (int i = from; i < size(); ++i) {
            if (!alive_[i]) continue;
            if (text_[i] == ch) {
                if (run++ == 0) runStart = i;
                if (run == 3) return runStart;
            } else {
                run = 0;
            }
        }
        return -1;
    }

    // Deletes three live characters starting at `from`; returns the index after the last one.
    int deleteThree(int from) {
        int left = 3, i = from;
        for (; i < size() && left > 0; ++i)
            if (alive_[i]) {
                alive_[i] = false;
                --left;
            }
        return i;
    }

    void colorBetween(int from, int to) {
        for (int i = from; i < to; ++i)
            if (alive_[i]) colored_[i] = true;
    }

    // The index reached by stepping back `count` live characters from `from`; 0 when the text
    // has fewer.
    int stepBack(int from, int count) const {
        int i = from;
        while (count > 0 && i > 0) {
            --i;
            if (alive_[i]) --count;
        }
        return count > 0 ? 0 : i;
    }

    // Index just after the `count`-th live character from `from`.
    int skipLive(int from, int count) const {
        int i = from;
        while (count > 0 && i < size()) {
            if (alive_[i]) --count;
            ++i;
        }
        return i;
    }

    MarkupResult result() const {
        MarkupResult r;
        r.changed = true;
        r.text.reserve(size());
        int runStart = -1;
        for (int i = 0; i < size(); ++i) {
            if (!alive_[i]) continue;
            const int pos = int(r.text.size());
            if (colored_[i] && runStart < 0) runStart = pos;
            if (!colored_[i] && runStart >= 0) {
                r.passages.emplace_back(runStart, pos - runStart);
                runStart = -1;
            }
            r.text.append(text_[i]);
        }
        if (runStart >= 0) r.passages.emplace_back(runStart, int(r.text.size()) - runStart);
        return r;
    }

  private:
    const QString &text_;
    std::vector<bool> alive_;
    std::vector<bool> colored_;
};

} // namespace

MarkupResult markupPass(const QString &text) {
    if (!text.contains(QLatin1String("[[["))) return {text, {}, false};
    ShrinkingText t(text);
    bool changed = false;
    int from = 0;
    for (;;) {
        const int s = t.findRun(from, QLatin1Char('['));
        if (s < 0) break;
        const int afterOpen = t.skipLive(s, 3);
        const int e = t.findRun(afterOpen, QLatin1Char(']'));
        if (e < 0) break;
        t.colorBetween(afterOpen, e);
        const int afterClose = t.deleteThree(e);
        t.deleteThree(s);
        changed = true;
        // The next search starts three characters before the end of the passage just coloured.
        from = t.stepBack(afterClose, 3);
    }
    if (!changed) return {text, {}, false};
    return t.result();
}
