#pragma once
// What the main window keeps between events; the window's own, readable from outside.

#include "config/language.h"
#include "graphs/graphstate.h"
#include "graphs/personalgraph.h"
#include "mainwindow/windowlayout.h"
#include "records/learnertable.h"

#include <QRectF>
#include <QString>
#include <optional>

namespace qel {

// What the graph pane shows (the graph family is in GraphState), worked out by the command
// that chose it; a paint draws exactly this.
struct PaneGraph {
    int kind = 0;
    // Personal graphs: the learner's list row as it was chosen, and the learner's record
    // file, whose runs the folder session loads for the paints.
    graphs::PersonalGraphRow learner;
    QString nodeKey;
};

struct frmMainState {
    QString recordFolder;
    QString csvFolder; // where the last CSV export was saved
    int viewMode = AllGroup;
    bool treeFocusedLast = false;
    bool startingUp = true;
    bool rightPressOnTree = false;
    bool splitterDragging = false;
    bool resizeRedrawn = false;
    graphs::GraphState graph;
    PaneGraph pane;
    // The group shown: its collections, for the statistics graphs.
    GroupCollections collections;
    // Sort of the list: the last text column sorted, the direction all columns share
    // (0 ascending, 1 descending), and whether later fills keep that text order.
    int sortColumn = 0;
    int sortDirection = 0;
    bool sortedByText = false;
    // The list follows the record folder as it changes ("自動更新").
    bool autoRefresh = true;
    // The panes as last laid out, and the splitter's drag bar, in twips.
    WindowLayout layout;
    QRectF dragBar;
    // The language the user chose in the View menu, kept at close; none: as at start.
    std::optional<Language> language;
};

} // namespace qel
