#pragma once
// What the main window keeps between events; the window's own, readable from outside.

#include "graphs/graphstate.h"
#include "graphs/personalgraph.h"
#include "mainwindow/windowlayout.h"
#include "records/groupstats.h"
#include "records/learnertable.h"

#include <QRectF>
#include <QString>

namespace qel {

// What the graph pane shows (the graph family is in GraphState), worked out by the command
// that chose it; a paint draws exactly this.
struct PaneGraph {
    int kind = 0;
    // Personal graphs: the learner's list row as it was chosen, and the learner's node key
    // and record file, which every paint reads anew.
    graphs::PersonalGraphRow learner;
    QString nodeKey;
    QString recordPath;
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
    // True while the group dialog runs for the group printout: it closes itself when done.
    bool printRequest = false;
    GroupCollections collections;
    GroupStatistics statistics;
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
};

} // namespace qel
