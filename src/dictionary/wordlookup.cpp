// Word lookup.
#include "app/Unit2.h"
#include "dictionary/chinesetext.h"
#include "dictionary/entries.h"
#include "platform/richedit.h"
#include "platform/widgets.h"

#include <QScopeGuard>

using namespace dictionary;

// Runs after every mouse release in the reader: a selected word shows its word entry, a
// single character or a word the table lacks shows the entry of the first character.
void TForm2::rcMouseUp() {
    if (Panel2->isHidden()) return;
    QString text = trimSpaces(rc->SelText());
    if (!isChineseText(text)) return;
    text = withoutQuotes(text);
    if (text.isEmpty()) return;
    // From here on a failed lookup leaves the pane as it is, without a word.
    try {
        const QString first = firstCharacter(text);
        if (text == first) {
            chazi(first);
            return;
        }
        q3.Connection = &ac1;
        const auto closing = qScopeGuard([this] { q3.Close(); });
        q3.SQL.Clear();
        q3.SQL.Add(wordSql(cidiantable, text));
        q3.Open();
        if (!q3.Eof())
            jsedit->SetText(selectionWordEntry(wordRow(q3)));
        else
            chazi(first);
    } catch (...) {
    }
}

// The word is looked up as typed: no trimming, no Chinese-character test, no fall-back.
void TForm2::N8Click() {
    QString initial = rc->SelText();
    if (initial.isEmpty()) initial = jsedit->SelText();
    const std::optional<QString> word =
        dialogs.input(QStringLiteral("输入要查询的词语"), QStringLiteral("词语:"), initial);
    if (!word || word->isEmpty()) return;
    jsedit->setFocus();
    q3.Connection = &ac1;
    const auto closing = qScopeGuard([this] { q3.Close(); });
    q3.SQL.Clear();
    q3.SQL.Add(wordSql(cidiantable, *word));
    q3.Open();
    if (!q3.Eof()) jsedit->SetText(typedWordEntry(wordRow(q3)));
}

void TForm2::N13Click() {
    N8Click();
}
