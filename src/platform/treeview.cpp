#include "platform/treeview.h"

#include <QHeaderView>
#include <QMouseEvent>

TTreeNode::TTreeNode(const QString &text) {
    setText(0, text);
}

TTreeNode::~TTreeNode() = default;

int TTreeNode::Level() const {
    int level = 0;
    for (auto *p = parent(); p; p = p->parent())
        ++level;
    return level;
}

void TTreeNode::DeleteChildren() {
    qDeleteAll(takeChildren());
}

void TTreeNode::Expand(bool recurse) {
    setExpanded(true);
    if (recurse)
        for (int i = 0; i < childCount(); ++i)
            Item(i)->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    if (recurse)
        for (int i = 0; i < childCount(); ++i)
            Item(i)->Collapse(true);
    setExpanded(false);
}

TTreeView::TTreeView(QWidget *parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
    setTextElideMode(Qt::ElideRight);
    // QTreeView tells of an expansion before it lays out or paints the new rows, so replacing
    // the placeholder here happens before the user sees it.
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) {
        if (OnExpanding) OnExpanding(static_cast<TTreeNode *>(item));
    });
}

TTreeNode *TTreeView::Add(TTreeNode *parent, const QString &text) {
    auto *node = new TTreeNode(text);
    if (parent)
        parent->addChild(node);
    else
        addTopLevelItem(node);
    return node;
}

void TTreeView::AddChildren(TTreeNode *parent, const QList<QTreeWidgetItem *> &nodes) {
    if (parent)
        parent->addChildren(nodes);
    else
        addTopLevelItems(nodes);
}

void TTreeView::Clear() {
    clear();
}

namespace {
// Walks the depth-first order; returns the node at `index` or counts all nodes.
TTreeNode *walk(QTreeWidgetItem *node, int &remaining) {
    if (remaining == 0) return static_cast<TTreeNode *>(node);
    --remaining;
    for (int i = 0; i < node->childCount(); ++i)
        if (auto *found = walk(node->child(i), remaining)) return found;
    return nullptr;
}
} // namespace

TTreeNode *TTreeView::Items(int index) const {
    if (index < 0) return nullptr;
    int remaining = index;
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (auto *found = walk(topLevelItem(i), remaining)) return found;
    return nullptr;
}

int TTreeView::ItemsCount() const {
    int remaining = -1; // never reaches 0: counts every node
    for (int i = 0; i < topLevelItemCount(); ++i)
        walk(topLevelItem(i), remaining);
    return -1 - remaining;
}

void TTreeView::SetSelected(TTreeNode *node) {
    setCurrentItem(node);
    if (node) scrollToItem(node);
}

void TTreeView::BeginUpdate() {
    if (updateDepth_++ == 0) setUpdatesEnabled(false);
}

void TTreeView::EndUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0) setUpdatesEnabled(true);
}

void TTreeView::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void TTreeView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void TTreeView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}
