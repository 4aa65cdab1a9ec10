#include "mainwindow/panes.h"

#include "mainwindow/frmMain.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace qel {

namespace {
bool fromPopup(const QFocusEvent *event)
{
    // A menu opening or closing is no change of focus for the handlers.
    return event->reason() == Qt::PopupFocusReason;
}
}

LearnerTree::LearnerTree(frmMain &owner, QWidget *parent)
    : QTreeWidget(parent), owner_(owner)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

QTreeWidgetItem *LearnerTree::dropHighlighted() const
{
    return dropHighlight_.isValid() ? itemFromIndex(dropHighlight_) : nullptr;
}

void LearnerTree::mousePressEvent(QMouseEvent *event)
{
    owner_.tvTreeView_MouseDown(event->button());
    if (event->button() == Qt::RightButton) {
        // The press only marks the node; the release selects it and opens the menu.
        dropHighlight_ = indexAt(event->position().toPoint());
        event->accept();
        return;
    }
    leftPressed_ = event->button() == Qt::LeftButton ? QPersistentModelIndex(indexAt(event->position().toPoint()))
                                                     : QPersistentModelIndex();
    QTreeWidget::mousePressEvent(event);
}

void LearnerTree::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        owner_.tvTreeView_MouseUp(Qt::RightButton, event->position().toPoint());
        dropHighlight_ = QPersistentModelIndex();
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        const QModelIndex released = indexAt(event->position().toPoint());
        const bool click = leftPressed_.isValid() && released == leftPressed_;
        leftPressed_ = QPersistentModelIndex();
        if (click)
            if (QTreeWidgetItem *node = itemFromIndex(released))
                owner_.tvTreeView_NodeClick(node);
    }
}

void LearnerTree::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    // The second release of a double-click is no new click.
    leftPressed_ = QPersistentModelIndex();
    if (event->button() == Qt::LeftButton)
        owner_.tvTreeView_DblClick();
}

void LearnerTree::keyPressEvent(QKeyEvent *event)
{
    QTreeWidgetItem *before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem *after = currentItem();
    if (after && after != before)
        owner_.tvTreeView_NodeClick(after);
}

void LearnerTree::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    if (!fromPopup(event))
        owner_.tvTreeView_GotFocus();
}

void LearnerTree::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // the right-button release opens the menus
}

LearnerList::LearnerList(frmMain &owner, QWidget *parent)
    : QTreeView(parent), owner_(owner)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setSortingEnabled(false);
}

void LearnerList::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    owner_.lvListView_MouseDown(event->button(), pos);
    if (event->button() == Qt::RightButton && !indexAt(pos).isValid()) {
        event->accept(); // a right press on empty space changes nothing
        return;
    }
    QTreeView::mousePressEvent(event);
}

void LearnerList::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        owner_.lvListView_Click();
    else if (event->button() == Qt::RightButton)
        owner_.lvListView_MouseUp(Qt::RightButton, event->position().toPoint());
}

void LearnerList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        owner_.lvListView_DblClick();
}

void LearnerList::focusInEvent(QFocusEvent *event)
{
    QTreeView::focusInEvent(event);
    if (!fromPopup(event))
        owner_.lvListView_GotFocus();
}

void LearnerList::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
}

GraphPane::GraphPane(frmMain &owner, QWidget *parent)
    : QWidget(parent), owner_(owner)
{
    setFocusPolicy(Qt::ClickFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 192));
    setPalette(pal);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void GraphPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    owner_.Picture1_Paint(painter);
}

void GraphPane::mouseReleaseEvent(QMouseEvent *event)
{
    owner_.Picture1_MouseUp(event->button(), event->position().toPoint());
}

void GraphPane::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (!fromPopup(event))
        owner_.Picture1_GotFocus();
}

void GraphPane::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (!fromPopup(event))
        owner_.Picture1_LostFocus();
}

void GraphPane::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
}

SplitterGrip::SplitterGrip(frmMain &owner, QWidget *parent)
    : QWidget(parent), owner_(owner)
{
    setCursor(Qt::SizeHorCursor);
}

void SplitterGrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        owner_.imgSplitter_MouseDown();
}

void SplitterGrip::mouseMoveEvent(QMouseEvent *event)
{
    owner_.imgSplitter_MouseMove(owner_.pixelsToTwipsX(event->position().x()));
}

void SplitterGrip::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        owner_.imgSplitter_MouseUp();
}

} // namespace qel
