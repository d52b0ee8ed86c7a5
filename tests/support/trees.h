// Finding and clicking nodes of the two trees the way the user does.
#pragma once

#include "app/Unit2.h"
#include "platform/treeview.h"

#include <QString>

// The sub-category node `name` of the section `section` in the catalogue tree.
inline TTreeNode *subcategoryNode(TForm2 &f, const QString &section, const QString &name) {
    for (int i = 0; i < f.TreeViewa->RootCount(); ++i) {
        TTreeNode *root = f.TreeViewa->Root(i);
        if (root->Text() != section) continue;
        for (int j = 0; j < root->Count(); ++j)
            if (root->Item(j)->Text() == name) return root->Item(j);
    }
    return nullptr;
}

// The child of `parent` captioned `text`; null when there is none.
inline TTreeNode *childNode(TTreeNode *parent, const QString &text) {
    if (!parent) return nullptr;
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Item(i)->Text() == text) return parent->Item(i);
    return nullptr;
}

// Selects the node and clicks it, through the tree's own click binding.
inline void clickNode(TTreeView *tree, TTreeNode *node) {
    tree->SetSelected(node);
    emit tree->itemClicked(node, 0);
}
