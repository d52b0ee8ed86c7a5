// The record attached to every book, chapter and result node of the two trees.
#pragma once

#include "platform/treeview.h"

#include <QString>

struct tnodedata : TNodeData {
    int id = 0; // what a click opens: a book id, or a chapter id for chapters and one-chapter books
    QString caption; // the node's caption as loaded (book or chapter title)
    int cnt = 0;     // the book's number of chapters; 0 for chapter nodes
    int ff = 0;      // 1 once a book's chapters are loaded (and for the empty-result node)
};

// The record of a node; null for section, sub-category and placeholder nodes.
inline tnodedata *nodedata(const TTreeNode *node) {
    return node ? static_cast<tnodedata *>(node->Data()) : nullptr;
}
