// Character lookup in the character and Kangxi dictionaries.
#include "app/Unit2.h"
#include "dictionary/chinesetext.h"
#include "dictionary/entries.h"
#include "platform/richedit.h"
#include "platform/widgets.h"

#include <QScopeGuard>

using namespace dictionary;

namespace {

// The typed-character prompt: the selection's first character as the initial value, the first
// character of the answer as the result. Empty when cancelled or nothing was typed.
QString askCharacter(Dialogs &dialogs, const QString &selection) {
    const std::optional<QString> answer = dialogs.input(
        QStringLiteral("输入要查询的汉字"), QStringLiteral("汉字:"), firstCharacter(selection));
    return answer ? firstCharacter(*answer) : QString();
}

} // namespace

void TForm2::chazi(const QString &zi) {
    TUniQuery query(&ac1);
    query.SQL.Clear();
    query.SQL.Add(ziziSql(zi));
    query.Open();
    if (!query.Eof()) {
        const ZiziRow row = ziziRow(query);
        jsedit->SetText(usekangxi ? shortEntry(row) : modernEntry(row));
    }
    query.Close();
    if (!usekangxi) return;

    // The Kangxi entry follows, also when the character table had no row. The Access
    // connection stays open for the next lookup.
    query.Connection = &acc;
    query.SQL.Clear();
    query.SQL.Add(kangxiSql(zi));
    query.Open();
    if (!query.Eof())
        jsedit->SetText(jsedit->Text() + QStringLiteral("\r\n\r\n") +
                        kangxiEntry(kangxiRow(query)));
    query.Close();
}

void TForm2::jseditDblClick() {
    // The whole selection, not cut to one character: a double-click selects one character.
    const QString selection = trimSpaces(jsedit->SelText());
    if (!selection.isEmpty()) chazi(selection);
}

void TForm2::N7Click() {
    const QString zi = askCharacter(dialogs, jsedit->SelText());
    if (!zi.isEmpty()) chazi(zi);
}

namespace {
// The typed-character commands of the menu: ask for a character (the selection's first as the
// suggestion) and show one form of its zizi entry.
void showTypedCharacter(TForm2 &f, QString (*entry)(const ZiziRow &)) {
    const QString zi = askCharacter(f.dialogs, f.rc->SelText());
    if (zi.isEmpty()) return;
    f.jsedit->setFocus();
    f.q3.Connection = &f.ac1;
    const auto closing = qScopeGuard([&f] { f.q3.Close(); });
    f.q3.SQL.Clear();
    f.q3.SQL.Add(ziziSql(zi));
    f.q3.Open();
    if (!f.q3.Eof()) f.jsedit->SetText(entry(ziziRow(f.q3)));
}
} // namespace

void TForm2::N11Click() {
    showTypedCharacter(*this, shortEntry);
}

void TForm2::N12Click() {
    showTypedCharacter(*this, xinhuaEntry);
}

namespace {
const QString kNoKangxiOnline = QStringLiteral("联网版本地没有数据库，《康熙字典》不可用！\r\n\r\n"
                                               "《Kelvaro》离线版，可从官网下载离线版。");
} // namespace

void TForm2::N80Click() {
    if (onlineedition) {
        dialogs.message(MessageKind::Warning, kNoKangxiOnline);
        shell.open(QStringLiteral("Open"), config.productSite + QStringLiteral("/"));
        return;
    }
    const QString zi = askCharacter(dialogs, rc->SelText());
    if (zi.isEmpty()) return;
    jsedit->setFocus();
    // q3 goes back to the catalogue connection, where every other command expects it.
    q3.Connection = &acc;
    const auto closing = qScopeGuard([this] {
        q3.Close();
        q3.Connection = &ac1;
        acc.Disconnect();
    });
    q3.SQL.Clear();
    q3.SQL.Add(kangxiSql(zi));
    q3.Open();
    if (!q3.Eof()) jsedit->SetText(kangxiEntry(kangxiRow(q3)));
}

void TForm2::N83Click() {
    tick(action(QStringLiteral("N83")), true);
    tick(action(QStringLiteral("N84")), false);
    usekangxi = false;
    writeini(QStringLiteral("康熙字典"), QStringLiteral("0"));
    acc.Disconnect();
}

void TForm2::N84Click() {
    if (onlineedition) {
        dialogs.message(MessageKind::Warning, kNoKangxiOnline);
        shell.open(QStringLiteral("Open"), config.productSite + QStringLiteral("/"));
        return;
    }
    // The Access connection opens with the next Kangxi lookup.
    tick(action(QStringLiteral("N84")), true);
    tick(action(QStringLiteral("N83")), false);
    usekangxi = true;
    writeini(QStringLiteral("康熙字典"), QStringLiteral("1"));
}
