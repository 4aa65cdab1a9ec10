#pragma once
// What the dialogs need from the main window, so each side can be built and tested alone.

#include <QString>
#include <functional>

namespace qel {

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
    // Asks for the figures of the three groups as the record folder holds them now; `done`
    // gets them on this thread once they are in, or never when the host goes first. The
    // window's list, tree and selection stay as they are.
    virtual void requestGroupFigures(std::function<void(const GroupStatistics &figures)> done) = 0;
    // The group printout of these figures ("印刷" of the dialog).
    virtual void printGroupReport(const GroupStatistics &figures) = 0;
};

} // namespace qel
