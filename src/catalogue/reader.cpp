// The chapter reader: book headers, chapter texts, the markup pass and red marking.
#include "app/Unit2.h"
#include "catalogue/markup.h"
#include "catalogue/nodedata.h"
#include "platform/richedit.h"
#include "platform/treeview.h"
#include "platform/widgets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>

namespace {

const QString kTitleSeparator = QStringLiteral("　"); // U+3000
const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);
const QColor kRed(255, 0, 0);
constexpr int kMarkSize = 16;

QString idText(int id) {
    return QString::number(id);
}

// Online chapters are kept in the folder "data" of the working directory, one RTF file each.
QString cachePath(int id) {
    return QStringLiteral("data/") + idText(id) + QStringLiteral(".dbx");
}

void letMessagesRun() {
    QCoreApplication::processEvents();
}

} // namespace

// ---- opening a node ----

void TForm2::TreeViewaClick() {
    // Whatever fails here ends the click silently; what was already shown stays.
    guarded(OnError::Silent, [this] {
        TTreeNode *node = TreeViewa->Selected();
        const tnodedata *data = nodedata(node);
        if (!data) return;
        const int id = data->id;
        const int level = node->Level();
        if (level == 2) chazz(node->HasChildren() ? 1 : 2, id);
        if (level == 3 || (level == 2 && !node->HasChildren())) {
            if (onlineedition)
                chanr2(1, id);
            else
                chanr(1, id);
        }
    });
}

void TForm2::TreeViewbClick() {
    guarded(OnError::Silent, [this] {
        TTreeNode *node = TreeViewb->Selected();
        const tnodedata *data = nodedata(node);
        if (!data) return;
        const int id = data->id;
        if (node->Level() == 0) chazz(node->HasChildren() ? 1 : 2, id);
        if (!node->HasChildren()) {
            if (onlineedition)
                chanr2(2, id);
            else
                chanr(2, id);
        }
    });
}

// ---- headers, captions, the link label ----

namespace {

// The frame caption of a chapter opened from a chapter node: book title, U+3000, chapter title.
void setChapterCaption(TForm2 &f, int n) {
    TTreeNode *node = n == 1 ? f.TreeViewa->Selected() : f.TreeViewb->Selected();
    if (!node || node->Level() != (n == 1 ? 3 : 1) || !node->Parent()) return;
    const tnodedata *data = nodedata(node);
    const QString chapter = data ? data->caption : node->Text();
    f.GroupBox2->setTitle(node->Parent()->Text() + kTitleSeparator + chapter);
}

// The online-view label alternates navy and maroon and names what the frame shows.
void updateLinkLabel(TForm2 &f) {
    f.lwtxt->setFontColor(f.lwtxt->fontColor() == kNavy ? kMaroon : kNavy);
    f.lwtxt->setText(QStringLiteral("联网:") + f.GroupBox2->title());
}

QString bookHeader(const QString &a1, const QString &a2, const QString &a3) {
    QString suffix;
    if (!a2.isEmpty()) suffix = QStringLiteral(" [") + a2 + QStringLiteral("]");
    if (!a3.isEmpty()) suffix = kTitleSeparator + a3 + suffix;
    return a1 + suffix;
}

} // namespace

void TForm2::chazz(int n, int id) {
    if (id <= 0) return;
    q3.Connection = &ac1;
    q3.SQL.Clear();
    if (n == 1)
        q3.SQL.Add(QStringLiteral("select * from wxlb where id='") + idText(id) +
                   QStringLiteral("' limit 1"));
    else
        q3.SQL.Add(QStringLiteral("select wxlb.* from wxlb,zjlist where wxlb.id=zjlist.bid and "
                                  "zjlist.id='") +
                   idText(id) + QStringLiteral("' limit 1"));
    q3.Open();
    if (!q3.Eof()) {
        const QString header = bookHeader(q3.FieldByName(QStringLiteral("a1")).AsString(),
                                          q3.FieldByName(QStringLiteral("a2")).AsString(),
                                          q3.FieldByName(QStringLiteral("a3")).AsString());
        const QString bookId = q3.FieldByName(QStringLiteral("id")).AsString();
        const QString zmf = q3.FieldByName(QStringLiteral("zmf")).AsString();
        rc->SetText(header);
        GroupBox2->setTitle(header);
        updateLinkLabel(*this);
        siteurl = config.productSite + QStringLiteral("/roll/go.php?ver=3&f=") + bookId + zmf;
    }
    q3.Close();
}

void TForm2::chazmf(int id) {
    updateLinkLabel(*this);
    const QString base = config.productSite + QStringLiteral("/roll/go.php?ver=3&t=") + idText(id);
    if (id > 810000) {
        siteurl = base;
        return;
    }
    q3.Connection = &ac1;
    q3.SQL.Clear();
    q3.SQL.Add(QStringLiteral("select * from zmf where id='") + idText(id) +
               QStringLiteral("' limit 1"));
    q3.Open();
    const QString suffix =
        q3.Eof() ? QString() : QStringLiteral("_") + q3.FieldByName(QStringLiteral("z")).AsString();
    siteurl = base + suffix;
    q3.Close();
}

// ---- chapters ----

void TForm2::chanr(int n, int id) {
    if (id <= 0) return;
    q3.SQL.Clear();
    if (id < 810000 && id % 20 == 0) {
        // Every twentieth chapter below 810000 lives in the second text database.
        q3.Connection = &ac4;
        q3.SQL.Add(QStringLiteral("select * from wx where id='") + idText(id) +
                   QStringLiteral("' limit 1"));
    } else {
        q.Connection = &ac1;
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("select * from zjlist where id='") + idText(id) +
                  QStringLiteral("' limit 1"));
        q.Open();
        const QString fldb = q.Eof() ? QString() : q.FieldByName(QStringLiteral("fldb")).AsString();
        q.Close();
        q3.Connection = &ac2;
        q3.SQL.Add(QStringLiteral("select * from wx") + fldb + QStringLiteral(" where id='") +
                   idText(id) + QStringLiteral("' limit 1"));
    }
    q3.Open();
    if (!q3.Eof()) {
        rc->Clear();
        curchapterid = q3.FieldByName(QStringLiteral("id")).AsInteger();
        rc->SetText(q3.FieldByName(QStringLiteral("body")).AsString());
        jialanse();
        if (!jiase.isEmpty()) {
            RearchAndReplace(jiase, jiase);
            if (TreeViewb->Visible()) TreeViewb->setFocus(Qt::OtherFocusReason);
        }
        setChapterCaption(*this, n);
    }
    q3.Close();
    chazmf(id);
}

void TForm2::chanr2(int n, int id) {
    chanrlw(n, id);
}

void TForm2::chanrlw(int n, int id) {
    setChapterCaption(*this, n);
    chazmf(id);

    const QString cache = cachePath(id);
    if (QFile::exists(cache)) {
        // A cache file that cannot be read is fetched again and written anew.
        const bool loaded = guarded(OnError::Silent, [&] { rc->LoadFromFile(cache); });
        if (loaded) {
            curchapterid = id;
            return;
        }
    }

    q3.Connection = &mysqla;
    q3.SQL.Clear();
    q3.SQL.Add(QStringLiteral("select * from ") +
               (id <= 810000 ? QStringLiteral("wxhao") : QStringLiteral("wx5")) +
               QStringLiteral(" where id='") + idText(id) + QStringLiteral("' limit 1"));
    letMessagesRun();
    try {
        // A request made while the background connect still runs waits for it (a few seconds
        // at most); then the statement connects again if that connect failed.
        waitForServerConnect();
        q3.Open();
        letMessagesRun();
        if (!q3.Eof()) {
            rc->Clear();
            curchapterid = q3.FieldByName(QStringLiteral("id")).AsInteger();
            rc->SetText(q3.FieldByName(QStringLiteral("body")).AsString());
            letMessagesRun();
            jialanse();
            // Caching is a bonus: a file that cannot be written costs only the caching.
            guarded(OnError::Silent, [&] {
                QDir().mkpath(QStringLiteral("data"));
                rc->SaveToFile(cache);
            });
        }
    } catch (...) {
        QString message =
            QStringLiteral("\r\n  网络故障：无法连接服务器，建议下载离线版Kelvaro！\r\n\r\n  "
                           "请到官方网站 ( ") +
            config.productHost() +
            QStringLiteral(" ) 下载离线版。\r\n\r\n  或者点击左侧列表重新尝试连接服务器。\r\n\r\n  "
                           "或点击左下角进行联网查看：");
        if (TTreeNode *node = n == 1 ? TreeViewa->Selected() : TreeViewb->Selected())
            message += node->Text();
        rc->SetText(message);
    }
    q3.Close();
}

// ---- markings ----

void TForm2::jialanse() {
    const MarkupResult result = markupPass(rc->Text());
    if (result.changed) {
        rc->SetText(result.text);
        rc->ColorRanges(result.passages, TRichEdit::HighlightColor());
    }
    rc->Select(0, 0);
}

void TForm2::RearchAndReplace(const QString &search, const QString &replacement) {
    if (search.isEmpty()) return;
    const HourglassCursor hourglass;
    // Every occurrence, found in the plain text: each search starts after the previous
    // occurrence, as the replacement leaves the text after it unchanged.
    const QString text = rc->Text();
    std::vector<std::pair<int, int>> found;
    for (qsizetype b = text.indexOf(search, 0, Qt::CaseInsensitive); b >= 0;
         b = text.indexOf(search, b + search.size(), Qt::CaseInsensitive))
        found.emplace_back(int(b), int(search.size()));
    if (found.empty()) return;
    QTextCharFormat mark;
    mark.setForeground(kRed);
    mark.setFontPointSize(kMarkSize);
    rc->ReplaceRanges(found, replacement, mark);
    rc->Select(found.front().first, int(replacement.size()));
    rc->ScrollCaret();
    rc->SetFocus();
}
