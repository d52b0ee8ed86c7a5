// Find in the reader's text.
#include "app/Unit2.h"
#include "platform/finddialog.h"
#include "platform/richedit.h"

void TForm2::N54Click() {
    if (!FindDialog1) {
        FindDialog1 = new TFindDialog(this);
        connect(FindDialog1, &TFindDialog::Find, this,
                [this] { guarded(OnError::Report, [this] { FindDialog1Find(); }); });
    }
    const QString selected = rc->SelText();
    FindDialog1->SetFindText(selected.isEmpty() ? soci : selected);
    FindDialog1->Execute();
}

void TForm2::N14Click() {
    N54Click();
}

void TForm2::FindDialog1Find() {
    if (!FindDialog1) return;
    // From the end of the selection to the end of the text, matching case exactly; the
    // dialog's own options are not consulted.
    const QString what = FindDialog1->FindText();
    const int start = rc->SelStart() + rc->SelLength();
    const int p = rc->FindText(what, start, rc->TextLength() - start, true);
    if (p >= 0) {
        rc->SetFocus();
        rc->Select(p, int(what.size()));
        rc->SetSelColor(QColor(255, 0, 0));
        return;
    }
    rc->Select(start, 0);
    FindDialog1->CloseDialog();
    dialogs.message(MessageKind::Information,
                    QStringLiteral("没有找到【") + what + QStringLiteral("】 或 查找结束"));
}
