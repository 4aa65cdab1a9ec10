#include "mainwindow/panes.h"

#include "base/namemask.h"
#include "mainwindow/icons.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <utility>
#include <vector>

namespace qel {

namespace {
bool fromPopup(const QFocusEvent *event)
{
    // A menu opening or closing is no change of focus for the handlers.
    return event->reason() == Qt::PopupFocusReason;
}
}

QString nodeKey(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kNodeKeyRole).toString() : QString();
}

int nodeImage(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kNodeImageRole).toInt() : 0;
}

namespace {
QIcon imageIcon(int number)
{
    static const QIcon images[6] = {icons::image(1), icons::image(2), QIcon(),
                                    icons::image(4), icons::image(5), QIcon()};
    return number >= 1 && number <= 6 ? images[number - 1] : QIcon();
}

// A learner node keeps its key, name and image number as plain members and derives its
// icon and text: with tens of thousands of learners, item data per role would cost several
// times as much.
class LearnerNodeItem final : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;
    explicit LearnerNodeItem(const TreeNode &node)
        : QTreeWidgetItem(kType), key_(node.key), name_(node.text), image_(node.image)
    {
    }
    const QString &name() const { return name_; }
    QVariant data(int column, int role) const override
    {
        if (column == 0 && role == kNodeKeyRole)
            return key_;
        if (column == 0 && role == kNodeImageRole)
            return image_;
        if (column == 0 && role == Qt::DecorationRole)
            return imageIcon(image_);
        // The tip holds the whole name, where the tree is too narrow for it.
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
            const auto *tree = qobject_cast<const LearnerTree *>(treeWidget());
            NameMask *mask = tree ? tree->nameMask() : nullptr;
            return mask ? mask->shown(name_) : name_;
        }
        return QTreeWidgetItem::data(column, role);
    }
    void setData(int column, int role, const QVariant &value) override
    {
        if (column == 0 && role == kNodeKeyRole) {
            key_ = value.toString();
        } else if (column == 0 && role == kNodeImageRole) {
            image_ = value.toInt();
            emitDataChanged();
        } else {
            QTreeWidgetItem::setData(column, role, value);
        }
    }

private:
    QString key_;
    QString name_;
    int image_ = 0;
};
} // namespace

void setNodeImage(QTreeWidgetItem *node, int number)
{
    node->setData(0, kNodeImageRole, number);
    if (node->type() != LearnerNodeItem::kType)
        node->setIcon(0, imageIcon(number));
}

QTreeWidgetItem *newLearnerNode(const TreeNode &node)
{
    return new LearnerNodeItem(node);
}

QString learnerName(const QTreeWidgetItem *node)
{
    return node && node->type() == LearnerNodeItem::kType ? static_cast<const LearnerNodeItem *>(node)->name()
                                                          : QString();
}

bool isMenuKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier)
           || (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

void paintSelectionInactiveWithoutFocus(QAbstractItemView &view)
{
    // The views paint a selection without the focus in the inactive colours, which many
    // styles make the same as the active ones. A grey between the base and the text, as
    // desktop lists show a selection they do not act on; it follows a dark palette too.
    QPalette palette = view.palette();
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const auto mix = [](int a, int b) { return (a * 4 + b) / 5; };
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     QColor(mix(base.red(), text.red()), mix(base.green(), text.green()), mix(base.blue(), text.blue())));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, text);
    view.setPalette(palette);
}


namespace {
bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}
} // namespace

QString elideFolderPath(const QString &path, int width, const std::function<int(const QString &)> &measure)
{
    if (measure(path) <= width)
        return path;
    const QString dots(QChar(0x2026));
    QString trimmed = path;
    while (trimmed.size() > 1 && isSeparator(trimmed.back()))
        trimmed.chop(1);
    // Where each folder after the first part begins, at its separator.
    std::vector<qsizetype> starts;
    qsizetype headEnd = -1;
    for (qsizetype i = 1; i < trimmed.size(); ++i) {
        if (!isSeparator(trimmed[i]) || isSeparator(trimmed[i - 1]))
            continue;
        if (headEnd < 0)
            headEnd = i;
        else
            starts.push_back(i);
    }
    if (headEnd >= 0) {
        const QString head = trimmed.left(headEnd) + trimmed[headEnd] + dots;
        // The most of the end that fits after the head, and then without it.
        for (const QString &lead : {head, dots})
            for (qsizetype start : starts)
                if (const QString text = lead + trimmed.mid(start); measure(text) <= width)
                    return text;
        if (starts.empty() && measure(dots + trimmed.mid(headEnd)) <= width)
            return dots + trimmed.mid(headEnd);
    }
    // Not even the last folder fits: as much of its end as does.
    qsizetype lastStart = 0;
    for (qsizetype i = trimmed.size() - 1; i >= 0; --i)
        if (isSeparator(trimmed[i])) {
            lastStart = i + 1;
            break;
        }
    for (qsizetype from = lastStart; from < trimmed.size(); ++from)
        if (const QString text = dots + trimmed.mid(from); measure(text) <= width)
            return text;
    return dots;
}

void FolderTitle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    // As a framed label indents its text.
    const int inset = indent() >= 0 ? indent() : (frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0);
    room.adjust(inset, 0, 0, 0);
    const QFontMetrics metrics = fontMetrics();
    const QString shown =
        elideFolderPath(text(), room.width(), [&metrics](const QString &t) { return metrics.horizontalAdvance(t); });
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}

LearnerTree::LearnerTree(QWidget *parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
    paintSelectionInactiveWithoutFocus(*this);
}

QTreeWidgetItem *LearnerTree::dropHighlighted() const
{
    return dropHighlight_.isValid() ? itemFromIndex(dropHighlight_) : nullptr;
}

void LearnerTree::setNameMask(NameMask *mask)
{
    if (mask_)
        disconnect(mask_, nullptr, this, nullptr);
    mask_ = mask;
    if (mask_)
        connect(mask_, &NameMask::hiddenChanged, this, &LearnerTree::namesChanged);
    namesChanged();
}

// The nodes' texts are derived: the rows are measured and painted again.
void LearnerTree::namesChanged()
{
    doItemsLayout();
    viewport()->update();
}


void LearnerTree::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button());
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
        emit mouseUp(Qt::RightButton, event->position().toPoint());
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
                emit nodeClick(node);
    }
}

void LearnerTree::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    // The second release of a double-click is no new click.
    leftPressed_ = QPersistentModelIndex();
    if (event->button() == Qt::LeftButton)
        emit dblClick();
}

void LearnerTree::keyPressEvent(QKeyEvent *event)
{
    if (isMenuKey(event)) {
        event->accept();
        emit menuKey();
        return;
    }
    QTreeWidgetItem *before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem *after = currentItem();
    if (after && after != before)
        emit nodeClick(after);
}

void LearnerTree::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    if (!fromPopup(event))
        emit gotFocus();
}

void LearnerTree::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // the right-button release and the menu keys open the menus
}

ListHeader::ListHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
}

void ListHeader::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (isSortIndicatorShown() && sortIndicatorSection() == logicalIndex)
        option->sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortUp
                                                                           : QStyleOptionHeader::SortDown;
}

LearnerList::LearnerList(QWidget *parent)
    : QTreeView(parent)
{
    setHeader(new ListHeader(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setSortingEnabled(false);
    paintSelectionInactiveWithoutFocus(*this);
}


void LearnerList::keyPressEvent(QKeyEvent *event)
{
    if (isMenuKey(event)) {
        event->accept();
        emit menuKey();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        event->accept();
        emit dblClick();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void LearnerList::mousePressEvent(QMouseEvent *event)
{
    doubleClicked_ = false; // its release may have gone to the graph in the list's place
    const QPoint pos = event->position().toPoint();
    emit mouseDown(event->button(), pos);
    if (event->button() == Qt::RightButton && !indexAt(pos).isValid()) {
        event->accept(); // a right press on empty space changes nothing
        return;
    }
    QTreeView::mousePressEvent(event);
}

void LearnerList::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeView::mouseReleaseEvent(event);
    // The release that ends a double-click is no click of its own: the double-click may have
    // put a graph in the list's place.
    const bool endsDoubleClick = std::exchange(doubleClicked_, false);
    if (event->button() == Qt::LeftButton && !endsDoubleClick)
        emit click();
    else if (event->button() == Qt::RightButton)
        emit mouseUp(Qt::RightButton, event->position().toPoint());
}

void LearnerList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        doubleClicked_ = true;
        emit dblClick();
    }
}

void LearnerList::focusInEvent(QFocusEvent *event)
{
    QTreeView::focusInEvent(event);
    if (!fromPopup(event))
        emit gotFocus();
}

void LearnerList::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
}

GraphPane::GraphPane(QWidget *parent)
    : QWidget(parent)
{
    // Reached by Tab too: its pop-up menu is then a key away.
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 192));
    setPalette(pal);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void GraphPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    emit paint(painter);
}

void GraphPane::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event->button(), event->position().toPoint());
}

void GraphPane::keyPressEvent(QKeyEvent *event)
{
    if (isMenuKey(event)) {
        event->accept();
        emit menuKey();
        return;
    }
    QWidget::keyPressEvent(event);
}

void GraphPane::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (!fromPopup(event))
        emit gotFocus();
}

void GraphPane::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (!fromPopup(event))
        emit lostFocus();
}

void GraphPane::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
}

SplitterGrip::SplitterGrip(QWidget *parent)
    : QWidget(parent)
{
    setCursor(Qt::SizeHorCursor);
}

void SplitterGrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseDown();
}

void SplitterGrip::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->position().x());
}

void SplitterGrip::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseUp();
}

} // namespace qel
