// The chapter reader: book headers, chapter texts, the markup pass and red marking.
#include "app/Unit2.h"
#include "catalogue/markup.h"
#include "platform/richedit.h"

void TForm2::jialanse() {
    const MarkupResult result = markupPass(rc->Text());
    if (result.changed) {
        rc->SetText(result.text);
        rc->ColorRanges(result.passages, TRichEdit::HighlightColor());
    }
    rc->Select(0, 0);
}

void TForm2::TreeViewaClick() {}
void TForm2::TreeViewbClick() {}
void TForm2::chazz(int, int) {}
void TForm2::chanr(int, int) {}
void TForm2::chanr2(int n, int id) { chanrlw(n, id); }
void TForm2::chanrlw(int, int) {}
void TForm2::chazmf(int) {}
void TForm2::RearchAndReplace(const QString &, const QString &) {}
