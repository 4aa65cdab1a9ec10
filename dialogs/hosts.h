#pragma once
// What the dialogs need from the main window, so each side can be built and tested alone.

#include <QString>

namespace qel {

struct GroupCollections;
struct GroupStatistics;

// The find dialog's view of the learner list.
class SearchTarget {
public:
    virtual ~SearchTarget() = default;
    // Hides the graph pane; the list takes its place.
    virtual void hideGraphPane() = 0;
    // Selects the first row named `name` (other selected rows stay selected), scrolls it
    // into view, shows the list and gives it the focus. False when no row has that name.
    virtual bool selectLearnerRow(const QString &name) = 0;
};

// The group properties dialog's view of the main window.
class GroupHost {
public:
    virtual ~GroupHost() = default;
    // The group shown (the checked view-mode item): 0 all, 1 English, 2 Kana/Romaji.
    virtual int shownGroup() const = 0;
    // True when the tree holds only its root.
    virtual bool shownGroupIsEmpty() const = 0;
    // Index of the selected tree node (0 = root), and selecting it again.
    virtual int selectedNodeIndex() const = 0;
    virtual void selectNodeIndex(int index) = 0;
    virtual bool graphPaneVisible() const = 0;
    virtual void setGraphPaneVisible(bool visible) = 0;
    // Switches the window to a group as the view menu does (rescan, collecting build).
    virtual void switchGroup(int group) = 0;
    // The collections of the last collecting build.
    virtual GroupCollections &groupCollections() = 0;
    // Where the dialog leaves its 21 texts for the group printout.
    virtual GroupStatistics &groupStatistics() = 0;
    // The group printout ("印刷" of the dialog).
    virtual void printGroupReport() = 0;
};

} // namespace qel
