#pragma once
// The main window's controls, each passing on the mouse and focus events its handlers
// react to as signals.

#include "base/namemask.h"
#include "records/learnertable.h"

#include <QHeaderView>
#include <QLabel>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeView>
#include <QTreeWidget>
#include <QWidget>
#include <functional>

class QPainter;

namespace qel {


// Item data of a tree node: the key (record file name or group name) and the image number.
inline constexpr int kNodeKeyRole = Qt::UserRole + 1;
inline constexpr int kNodeImageRole = Qt::UserRole + 2;

// The key and image number of a node; empty and 0 for none.
QString nodeKey(const QTreeWidgetItem *node);
int nodeImage(const QTreeWidgetItem *node);
// Gives the node an image by its number (1 group expanded, 2 collapsed, 4 English learner,
// 5 Kana/Romaji learner).
void setNodeImage(QTreeWidgetItem *node, int number);
// A learner node of the scan, not yet in a tree. It shows the learner's name as the tree's
// name mask does; `text(0)` is that, the name itself is the node's own.
QTreeWidgetItem *newLearnerNode(const TreeNode &node);
// The learner's name of a learner node, whatever the tree shows; empty for any other node.
QString learnerName(const QTreeWidgetItem *node);

// Shift+F10 or the Menu key: the keys that open a control's pop-up menu.
bool isMenuKey(const QKeyEvent *event);

// A view without the focus shows its selection in a grey of its own, as desktop lists do:
// the one with the focus stands out.
void paintSelectionInactiveWithoutFocus(QAbstractItemView &view);

// A folder path cut to `width` by leaving out folders in the middle: the first part stays,
// then "…", then as many of the last folders as fit, which name the class; at the least the
// end of the last folder. `measure` gives the width of a text.
QString elideFolderPath(const QString &path, int width, const std::function<int(const QString &)> &measure);

// The folder path over the tree: the whole path in its text and tooltip, shown cut in the
// middle where the label is too narrow.
class FolderTitle : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Names are never cut: the tree scrolls sideways instead.
class LearnerTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit LearnerTree(QWidget *parent);
    // The node the last right-button press landed on, while the button is down.
    QTreeWidgetItem *dropHighlighted() const;
    // The names the learner nodes show: as the mask shows them (a number while it hides them).
    void setNameMask(NameMask *mask);
    NameMask *nameMask() const { return mask_; }

signals:
    void mouseDown(Qt::MouseButton button);
    void mouseUp(Qt::MouseButton button, const QPoint &pos); // viewport pixels
    // A left click on a node, or the keyboard moving to another node.
    void nodeClick(QTreeWidgetItem *node);
    void dblClick();
    void gotFocus();
    void menuKey(); // Shift+F10 or the Menu key

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void namesChanged();
    QPersistentModelIndex dropHighlight_;
    QPersistentModelIndex leftPressed_;
    QPointer<NameMask> mask_;
};

// The list's column header: the sort indicator points up for ascending order and down for
// descending, as lists on Windows show it, whatever the style's own habit.
class ListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit ListHeader(QWidget *parent);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;
};

class LearnerList : public QTreeView {
    Q_OBJECT
public:
    explicit LearnerList(QWidget *parent);

signals:
    void mouseDown(Qt::MouseButton button, const QPoint &pos); // viewport pixels
    void mouseUp(Qt::MouseButton button, const QPoint &pos);
    void click(); // left button released, except the release that ends a double-click
    void dblClick(); // also Enter on the current row
    void gotFocus();
    void menuKey(); // Shift+F10 or the Menu key

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    bool doubleClicked_ = false;
};

// The graph pane: no stored picture, every paint draws anew.
class GraphPane : public QWidget {
    Q_OBJECT
public:
    explicit GraphPane(QWidget *parent);

signals:
    void paint(QPainter &painter);
    void mouseUp(Qt::MouseButton button, const QPoint &pos);
    void gotFocus();
    void lostFocus();
    void menuKey(); // Shift+F10 or the Menu key

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};

// The strip between the panes that the mouse drags.
class SplitterGrip : public QWidget {
    Q_OBJECT
public:
    explicit SplitterGrip(QWidget *parent);

signals:
    void mouseDown();
    void mouseMove(double x); // pixels from the grip's left edge
    void mouseUp();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace qel
