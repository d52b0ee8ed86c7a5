// The catalogue tree and the search-result tree: the fixed skeleton, books and chapters
// loaded on first expansion, and the stored search result.
#include "app/Unit2.h"
#include "catalogue/nodedata.h"
#include "dataaccess/sqltext.h"
#include "platform/treeview.h"

namespace {

const QString kSubcategoryPlaceholder = QStringLiteral("loading...");
const QString kBookPlaceholder = QStringLiteral("loading..");

// Book nodes from the rows of a wxlb-shaped result: one-chapter books are leaves that carry
// their only chapter's id, others carry the book id and a placeholder child.
QList<QTreeWidgetItem *> bookNodes(TUniQuery &query) {
    QList<QTreeWidgetItem *> books;
    if (query.Eof()) return books;
    // Columns looked up once, not per row: a result may hold tens of thousands of books.
    const TField id = query.FieldByName(QStringLiteral("id"));
    const TField zid = query.FieldByName(QStringLiteral("zid"));
    const TField cnt = query.FieldByName(QStringLiteral("cnt"));
    const TField a1 = query.FieldByName(QStringLiteral("a1"));
    try {
        for (; !query.Eof(); query.Next()) {
            auto data = std::make_unique<tnodedata>();
            data->cnt = cnt.AsInteger();
            data->id = data->cnt < 2 ? zid.AsInteger() : id.AsInteger();
            data->caption = a1.AsString();
            data->ff = 0;
            auto *node = new TTreeNode(data->caption);
            if (data->cnt > 1) node->addChild(new TTreeNode(kBookPlaceholder));
            node->SetData(std::move(data));
            books << node;
        }
    } catch (...) {
        qDeleteAll(books);
        throw;
    }
    return books;
}

// Chapter nodes under `book` from a zjlist-shaped result; marks the book loaded when any.
void addChapters(TTreeView *tree, TTreeNode *book, TUniQuery &query) {
    QList<QTreeWidgetItem *> chapters;
    if (!query.Eof()) {
        const TField id = query.FieldByName(QStringLiteral("id"));
        const TField zj = query.FieldByName(QStringLiteral("zj"));
        for (; !query.Eof(); query.Next()) {
            auto data = std::make_unique<tnodedata>();
            data->id = id.AsInteger();
            data->caption = zj.AsString();
            auto *node = new TTreeNode(data->caption);
            node->SetData(std::move(data));
            chapters << node;
        }
    }
    tree->AddChildren(book, chapters);
    if (!chapters.isEmpty()) nodedata(book)->ff = 1;
}

} // namespace

void TForm2::showtree(const QString &section, const QString &list) {
    TTreeNode *root = TreeViewa->Add(nullptr, section);
    for (const QString &name : list.split(QLatin1Char('|'))) {
        TTreeNode *sub = TreeViewa->Add(root, name);
        TreeViewa->Add(sub, kSubcategoryPlaceholder);
    }
}

void TForm2::TreeViewaExpanding(TTreeNode *node) {
    q.Connection = &ac1;
    if (node->Level() == 1 && node->Count() < 2) {
        node->DeleteChildren();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("select * from wxlb where fl2='") + sqlText(node->Text()) +
                  QStringLiteral("'"));
        q.Open();
        TreeViewa->AddChildren(node, bookNodes(q));
        q.Close();
    }
    tnodedata *data = nodedata(node);
    if (node->Level() == 2 && data && data->ff == 0 && data->cnt > 1) {
        node->DeleteChildren();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("select * from zjlist where bid='") + QString::number(data->id) +
                  QStringLiteral("'  order by id asc"));
        q.Open();
        addChapters(TreeViewa, node, q);
        q.Close();
    }
}

void TForm2::loadtree() {
    TreeViewb->Clear();
    TreeViewb->SetVisible(true);
    TreeViewa->SetVisible(false);
    q.Connection = &ac1;
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from tmpwxlb"));
    q.Open();
    if (q.Eof()) {
        auto data = std::make_unique<tnodedata>();
        data->id = 0;
        data->caption = QStringLiteral("无检索结果...");
        data->cnt = 0;
        data->ff = 1;
        TreeViewb->Add(nullptr, data->caption)->SetData(std::move(data));
    } else {
        TreeViewb->BeginUpdate();
        try {
            TreeViewb->AddChildren(nullptr, bookNodes(q));
        } catch (...) {
            TreeViewb->EndUpdate();
            throw;
        }
        TreeViewb->EndUpdate();
    }
    q.Close();
}

void TForm2::TreeViewbExpanding(TTreeNode *node) {
    tnodedata *data = nodedata(node);
    if (node->Level() != 0 || !data || data->ff != 0 || data->cnt <= 1) return;
    q.Connection = &ac1;
    node->DeleteChildren();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from tmpzjlist where bid='") + QString::number(data->id) +
              QStringLiteral("' order by id asc"));
    q.Open();
    addChapters(TreeViewb, node, q);
    q.Close();
}
