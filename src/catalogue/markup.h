// The markup pass: passages stored between "[[[" and "]]]" are shown without their markers,
// in the highlight colour.
#pragma once

#include <QString>
#include <utility>
#include <vector>

struct MarkupResult {
    QString text;                              // the text with the markers removed
    std::vector<std::pair<int, int>> passages; // (start, length) to colour, in `text`
    bool changed = false;                      // false: no complete pair, text unchanged
};

// Walks the text the way the reader always has: find "[[[", then "]]]" after it, drop both
// markers, and look for the next "[[[" from three characters before the passage's end. An
// opening marker without a closing one ends the pass and stays in the text.
MarkupResult markupPass(const QString &text);
