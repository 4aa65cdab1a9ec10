#pragma once
// The learners on show: the group tree and the learner list, their selection and their
// place, and the one index from a record file to its tree node and its list row.

#include "records/learnertable.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

class QTreeWidgetItem;

namespace qel {

class LearnerList;
class LearnerListModel;
class LearnerTree;

class LearnerViews {
public:
    LearnerViews(LearnerTree &tree, LearnerList &list, LearnerListModel &model);

    // A group shown afresh: the tree's nodes anew with the group node current, the rows
    // anew (unsorted).
    void fill(const GroupView &view);
    // The group after its files changed: nodes and rows of files still there stay, and so
    // do the selection, the current row and node, and the scroll positions; the rows of
    // `changed` are marked.
    void update(const GroupView &view, const std::vector<QString> &changed);
    void clear();
    // Takes these record files' nodes and rows out, each view in one pass. A current node
    // that goes hands its place to the next node that stays (else the one before).
    void remove(const QSet<QString> &keys);

    // ---- the one index
    QTreeWidgetItem *rootNode() const;
    // The root's text in another language; its key stays.
    void retitleRoot(const QString &text);
    // The node of a record file (or of the group, by the group's text); nullptr if none.
    QTreeWidgetItem *nodeOf(const QString &key) const;
    // The list row of a record file; -1 if none.
    int rowOf(const QString &key) const;
    // The record file of a learner node; empty for the group node and for none.
    QString learnerKey(const QTreeWidgetItem *node) const;
    const std::vector<TreeNode> &nodes() const { return nodes_; }

    // ---- the list and its selection
    int rowCount() const;
    const TableRow &row(int index) const;
    bool anyRowSelected() const;
    bool rowSelected(int row) const;
    // The rows whose every column is selected, in ascending order, read in one pass.
    std::vector<int> selectedRows() const;
    void setRowSelected(int row, bool selected);
    int currentRow() const;
    void setCurrentRow(int row);

private:
    void buildTree(const std::vector<TreeNode> &nodes);
    void syncTree(const std::vector<TreeNode> &nodes);
    void indexTree();

    LearnerTree &tree_;
    LearnerList &list_;
    LearnerListModel &model_;
    std::vector<TreeNode> nodes_;
    QHash<QString, QTreeWidgetItem *> nodeIndex_;
};

} // namespace qel
