#include "mainwindow/learnerviews.h"

#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"

#include <QScrollBar>
#include <algorithm>

namespace qel {

LearnerViews::LearnerViews(LearnerTree &tree, LearnerList &list, LearnerListModel &model)
    : tree_(tree), list_(list), model_(model)
{
}

QTreeWidgetItem *LearnerViews::rootNode() const
{
    return tree_.topLevelItemCount() > 0 ? tree_.topLevelItem(0) : nullptr;
}

QTreeWidgetItem *LearnerViews::nodeOf(const QString &key) const
{
    if (QTreeWidgetItem *root = rootNode(); root && nodeKey(root) == key)
        return root;
    return nodeIndex_.value(key);
}

int LearnerViews::rowOf(const QString &key) const
{
    return model_.rowOfKey(key);
}

QString LearnerViews::learnerKey(const QTreeWidgetItem *node) const
{
    return node && node != rootNode() ? nodeKey(node) : QString();
}

void LearnerViews::indexTree()
{
    nodeIndex_.clear();
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return;
    nodeIndex_.reserve(root->childCount());
    for (int i = 0; i < root->childCount(); ++i)
        nodeIndex_.insert(nodeKey(root->child(i)), root->child(i));
}

void LearnerViews::buildTree(const std::vector<TreeNode> &nodes)
{
    QList<QTreeWidgetItem *> children;
    children.reserve(qsizetype(nodes.size()));
    for (const TreeNode &node : nodes)
        children.append(newLearnerNode(node));
    rootNode()->addChildren(children);
}

void LearnerViews::fill(const GroupView &view)
{
    tree_.clear();
    auto *root = new QTreeWidgetItem;
    root->setText(0, view.scan.rootText);
    root->setData(0, kNodeKeyRole, view.scan.rootText);
    setNodeImage(root, 1);
    tree_.addTopLevelItem(root);
    buildTree(view.scan.nodes);
    root->setExpanded(true);
    setNodeImage(root, 1);
    tree_.setCurrentItem(root);
    nodes_ = view.scan.nodes;
    indexTree();
    model_.setRows(view.rows);
}

void LearnerViews::update(const GroupView &view, const std::vector<QString> &changed)
{
    QScrollBar *down = list_.verticalScrollBar();
    QScrollBar *across = list_.horizontalScrollBar();
    QScrollBar *treeDown = tree_.verticalScrollBar();
    const int top = down->value(), left = across->value(), treeTop = treeDown->value();
    syncTree(view.scan.nodes);
    nodes_ = view.scan.nodes;
    model_.updateRows(view.rows);
    model_.markRows(changed);
    down->setValue(top);
    across->setValue(left);
    treeDown->setValue(treeTop);
}

void LearnerViews::clear()
{
    tree_.clear();
    nodes_.clear();
    nodeIndex_.clear();
    model_.clear();
}

// The learner nodes become those given; nodes of files still there stay as they are.
void LearnerViews::syncTree(const std::vector<TreeNode> &nodes)
{
    QTreeWidgetItem *root = rootNode();
    if (!root)
        return;
    const int count = root->childCount();
    bool same = count == int(nodes.size());
    for (int i = 0; same && i < count; ++i)
        same = nodeKey(root->child(i)) == nodes[std::size_t(i)].key;
    if (same)
        return;

    QSet<QString> wanted;
    wanted.reserve(qsizetype(nodes.size()));
    for (const TreeNode &node : nodes)
        wanted.insert(node.key);
    QTreeWidgetItem *current = tree_.currentItem();
    const QString currentKey = nodeKey(current);
    // A learner whose file is gone hands the selection to the group node, not to a
    // neighbour nobody chose.
    if (current && current != root && !wanted.contains(currentKey))
        tree_.setCurrentItem(root);
    QSet<QString> staying;
    for (int i = root->childCount() - 1; i >= 0; --i) {
        const QString key = nodeKey(root->child(i));
        if (wanted.contains(key))
            staying.insert(key);
        else
            delete root->takeChild(i);
    }
    for (int i = 0; i < int(nodes.size()); ++i) {
        const TreeNode &node = nodes[std::size_t(i)];
        if (i < root->childCount() && nodeKey(root->child(i)) == node.key)
            continue;
        if (staying.contains(node.key)) {
            // Out of order: the nodes are laid down again.
            const QList<QTreeWidgetItem *> old = root->takeChildren();
            buildTree(nodes);
            qDeleteAll(old);
            indexTree();
            if (QTreeWidgetItem *again = nodeOf(currentKey))
                tree_.setCurrentItem(again);
            return;
        }
        root->insertChild(i, newLearnerNode(node));
    }
    indexTree();
}

void LearnerViews::remove(const QSet<QString> &keys)
{
    QTreeWidgetItem *root = rootNode();
    if (!root || keys.isEmpty())
        return;
    QTreeWidgetItem *current = tree_.currentItem();
    const QList<QTreeWidgetItem *> children = root->takeChildren();
    QList<QTreeWidgetItem *> kept;
    kept.reserve(children.size());
    QTreeWidgetItem *after = nullptr, *before = nullptr;
    bool pastCurrent = current == root || !current;
    for (QTreeWidgetItem *child : children) {
        if (child == current)
            pastCurrent = true;
        if (keys.contains(nodeKey(child))) {
            if (child == current)
                current = nullptr;
            delete child;
            continue;
        }
        kept.append(child);
        if (!pastCurrent)
            before = child;
        else if (!after && child != current)
            after = child;
    }
    root->addChildren(kept);
    if (current)
        tree_.setCurrentItem(current);
    else
        tree_.setCurrentItem(after ? after : before ? before : root);
    nodes_.erase(std::remove_if(nodes_.begin(), nodes_.end(), [&](const TreeNode &n) { return keys.contains(n.key); }),
                 nodes_.end());
    indexTree();

    std::vector<int> removed;
    for (const QString &key : keys)
        if (const int r = rowOf(key); r >= 0)
            removed.push_back(r);
    model_.removeRowsAt(std::move(removed));
}

// ---------------------------------------------------------------- the list

int LearnerViews::rowCount() const
{
    return model_.rowCount();
}

const TableRow &LearnerViews::row(int index) const
{
    return model_.row(index);
}

bool LearnerViews::anyRowSelected() const
{
    const QItemSelectionModel *selection = list_.selectionModel();
    return selection && selection->hasSelection();
}

bool LearnerViews::rowSelected(int row) const
{
    return list_.selectionModel()->isRowSelected(row, QModelIndex());
}

std::vector<int> LearnerViews::selectedRows() const
{
    // Columns selected per row, from the selection's ranges at once: asking row by row
    // searches every range each time.
    const int columns = model_.columnCount();
    std::vector<std::uint32_t> marks(std::size_t(rowCount()), 0);
    for (const QItemSelectionRange &range : list_.selectionModel()->selection()) {
        if (range.parent().isValid())
            continue;
        std::uint32_t bits = 0;
        for (int c = std::max(range.left(), 0); c <= std::min(range.right(), columns - 1); ++c)
            bits |= 1u << c;
        for (int r = std::max(range.top(), 0); r <= std::min(range.bottom(), rowCount() - 1); ++r)
            marks[std::size_t(r)] |= bits;
    }
    const std::uint32_t whole = columns >= 32 ? ~0u : (1u << columns) - 1;
    std::vector<int> rows;
    for (std::size_t r = 0; r < marks.size(); ++r)
        if (marks[r] == whole)
            rows.push_back(int(r));
    return rows;
}

void LearnerViews::setRowSelected(int row, bool selected)
{
    const QModelIndex index = model_.index(row, 0);
    if (!index.isValid())
        return;
    list_.selectionModel()->select(
        index, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows);
}

int LearnerViews::currentRow() const
{
    const QModelIndex index = list_.currentIndex();
    return index.isValid() ? index.row() : -1;
}

void LearnerViews::setCurrentRow(int row)
{
    list_.selectionModel()->setCurrentIndex(model_.index(row, 0), QItemSelectionModel::NoUpdate);
}

void LearnerViews::retitleRoot(const QString &text)
{
    if (QTreeWidgetItem *root = rootNode())
        root->setText(0, text);
}

} // namespace qel
