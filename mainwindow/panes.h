#pragma once
// The main window's controls, each passing its mouse and focus events to the window's
// handlers.

#include <QPersistentModelIndex>
#include <QTreeView>
#include <QTreeWidget>
#include <QWidget>

namespace qel {

class frmMain;

// Item data of a tree node: the key (record file name or group name) and the image number.
inline constexpr int kNodeKeyRole = Qt::UserRole + 1;
inline constexpr int kNodeImageRole = Qt::UserRole + 2;

class LearnerTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit LearnerTree(frmMain &owner, QWidget *parent);
    // The node the last right-button press landed on, while the button is down.
    QTreeWidgetItem *dropHighlighted() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    frmMain &owner_;
    QPersistentModelIndex dropHighlight_;
    QPersistentModelIndex leftPressed_;
};

class LearnerList : public QTreeView {
    Q_OBJECT
public:
    explicit LearnerList(frmMain &owner, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    frmMain &owner_;
};

// The graph pane: no stored picture, every paint draws anew.
class GraphPane : public QWidget {
    Q_OBJECT
public:
    explicit GraphPane(frmMain &owner, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    frmMain &owner_;
};

// The strip between the panes that the mouse drags.
class SplitterGrip : public QWidget {
    Q_OBJECT
public:
    explicit SplitterGrip(frmMain &owner, QWidget *parent);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    frmMain &owner_;
};

} // namespace qel
