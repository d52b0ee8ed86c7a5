// Tree view with the node model the catalogue needs: nodes with a level, a parent, children,
// an optional data record, a flat depth-first order, and an expanding hook that runs before a
// node's children are shown (so placeholders can be replaced first).
#pragma once

#include <QTreeWidget>
#include <functional>
#include <memory>

// Base of the records a program attaches to nodes; the node owns its record.
struct TNodeData {
    virtual ~TNodeData() = default;
};

class TTreeNode : public QTreeWidgetItem {
  public:
    explicit TTreeNode(const QString &text);
    ~TTreeNode() override;

    QString Text() const { return text(0); }
    void SetText(const QString &t) { setText(0, t); }
    int Level() const;
    TTreeNode *Parent() const { return static_cast<TTreeNode *>(parent()); }
    int Count() const { return childCount(); }
    bool HasChildren() const { return childCount() > 0; }
    TTreeNode *Item(int i) const { return static_cast<TTreeNode *>(child(i)); }
    void DeleteChildren();

    TNodeData *Data() const { return data_.get(); }
    void SetData(std::unique_ptr<TNodeData> data) { data_ = std::move(data); }

    bool Expanded() const { return isExpanded(); }
    void Expand(bool recurse = false);
    // Collapses this node and, with recurse, every expanded node below it.
    void Collapse(bool recurse = false);
    bool Selected() const { return isSelected(); }

  private:
    std::unique_ptr<TNodeData> data_;
};

class TTreeView : public QTreeWidget {
    Q_OBJECT
  public:
    explicit TTreeView(QWidget *parent = nullptr);

    // Appends a root node (parent null) or a child node and returns it.
    TTreeNode *Add(TTreeNode *parent, const QString &text);
    // Appends many nodes at once: one model change instead of one per node.
    void AddChildren(TTreeNode *parent, const QList<QTreeWidgetItem *> &nodes);
    void Clear();

    int RootCount() const { return topLevelItemCount(); }
    TTreeNode *Root(int i) const { return static_cast<TTreeNode *>(topLevelItem(i)); }
    // The i-th node of the depth-first order over all nodes, expanded or not; null past the end.
    TTreeNode *Items(int index) const;
    int ItemsCount() const;

    TTreeNode *Selected() const { return static_cast<TTreeNode *>(currentItem()); }
    void SetSelected(TTreeNode *node);

    bool Visible() const { return !isHidden(); }
    void SetVisible(bool on) { setHidden(!on); }

    // Suspends repainting during bulk loads; calls nest.
    void BeginUpdate();
    void EndUpdate();

    // Runs before a node's children become visible, whether the user or the program expands it.
    std::function<void(TTreeNode *)> OnExpanding;

  protected:
    // The right button neither moves the selection nor clicks a node: what it does is the
    // owner's business (the trees' pop-up menu).
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

  private:
    int updateDepth_ = 0;
};
