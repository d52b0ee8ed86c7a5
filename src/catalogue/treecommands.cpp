// Tree commands: keys and the pop-up menu of the trees, switching between the two trees.
#include "app/Unit2.h"
#include "platform/treeview.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Up and Down open the selected node (also when the selection did not move); Enter opens or
// closes a node that has children.
void treeKeyUp(TTreeView *tree, int key, const std::function<void()> &open) {
    if (key == Qt::Key_Down || key == Qt::Key_Up) open();
    TTreeNode *node = tree->Selected();
    if (node && node->HasChildren() && isEnter(key)) {
        if (node->Expanded())
            node->Collapse(true);
        else
            node->Expand();
    }
}

// The right button selects the node under the pointer (without opening it) and opens the
// trees' menu, unless nothing or a root node was selected when it was pressed.
void treeMouseDown(TTreeView *tree, QMenu *menu, Qt::MouseButton button, const QPoint &pos) {
    if (button != Qt::RightButton) return;
    TTreeNode *selected = tree->Selected();
    if (!selected || selected->Level() == 0) return;
    auto *under = static_cast<TTreeNode *>(tree->itemAt(pos));
    tree->SetSelected(under);
    if (!under) tree->clearSelection();
    menu->popup(tree->viewport()->mapToGlobal(pos));
}

} // namespace

void TForm2::TreeViewaKeyUp(int key) {
    treeKeyUp(TreeViewa, key, [this] { TreeViewaClick(); });
}

void TForm2::TreeViewbKeyUp(int key) {
    treeKeyUp(TreeViewb, key, [this] { TreeViewbClick(); });
}

void TForm2::TreeViewaMouseDown(Qt::MouseButton button, const QPoint &pos) {
    treeMouseDown(TreeViewa, PopupMenu4, button, pos);
}

void TForm2::TreeViewbMouseDown(Qt::MouseButton button, const QPoint &pos) {
    treeMouseDown(TreeViewb, PopupMenu4, button, pos);
}

void TForm2::N21Click() {
    for (TTreeView *tree : {TreeViewa, TreeViewb}) {
        TTreeNode *node = tree->Selected();
        if (tree->Visible() && node && node->Parent()) node->Parent()->Collapse(true);
    }
}

void TForm2::N86Click() {
    for (TTreeView *tree : {TreeViewa, TreeViewb}) {
        TTreeNode *node = tree->Selected();
        if (tree->Visible() && node) QGuiApplication::clipboard()->setText(node->Text());
    }
}

void TForm2::StaticText1Click() {
    if (TreeViewb->RootCount() == 0) return;
    TreeViewb->SetVisible(true);
    TreeViewa->SetVisible(false);
    TreeViewb->SetSelected(TreeViewb->Root(0));
}

void TForm2::N71Click() {
    // Ticked and performed: the command unticks it, so the catalogue pane always shows.
    tick(action(QStringLiteral("N36")), true);
    N36Click();
    TreeViewa->SetVisible(true);
    TreeViewb->SetVisible(false);
    jiase.clear();
}

void TForm2::Label3Click() {
    N71Click();
}

void TForm2::N25Click() {
    if (TreeViewb->Visible())
        TreeViewbClick();
    else
        TreeViewaClick();
}
