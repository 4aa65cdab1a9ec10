#include "mainwindow/classboard.h"

#include "base/contrast.h"
#include "base/namemask.h"
#include "mainwindow/icons.h"
#include "mainwindow/panes.h"
#include "reports/needstyle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

namespace qel {

namespace {

// However far away the next change lies, the board looks again within the hour: the
// system's clock may have been set meanwhile.
constexpr qint64 kLongestWaitMSecs = 60 * 60 * 1000;
constexpr qint64 kShortestWaitMSecs = 100;

std::optional<Need> needOf(const QVariant &value)
{
    const int n = value.toInt();
    return n >= 0 && n < kNeedCount ? std::optional<Need>(Need(n)) : std::nullopt;
}

} // namespace

// ---------------------------------------------------------------- the model

ClassBoardModel::ClassBoardModel(QObject *parent)
    : QAbstractListModel(parent), clock_([] { return QDateTime::currentDateTime(); })
{
    for (int n = 0; n < kNeedCount; ++n)
        icons_[std::size_t(n)] = icons::need(Need(n));
    icons_[kNeedCount] = icons::need(std::nullopt);
    recheck_.setSingleShot(true);
    connect(&recheck_, &QTimer::timeout, this, &ClassBoardModel::reassess);
    setNameMask(nullptr);
}

void ClassBoardModel::setClock(std::function<QDateTime()> clock)
{
    clock_ = std::move(clock);
}

void ClassBoardModel::setNameMask(NameMask *mask)
{
    disconnect(nameMask(), nullptr, this, nullptr);
    mask_ = mask;
    connect(nameMask(), &NameMask::hiddenChanged, this, &ClassBoardModel::maskChanged);
    maskChanged();
}

void ClassBoardModel::maskChanged()
{
    QStringList names;
    names.reserve(qsizetype(rows_.size()));
    for (const TableRow &row : rows_)
        names << row.name;
    nameMask()->learn(names);
    reassess();
}

void ClassBoardModel::setTargets(const ClassTargets &targets)
{
    targets_ = targets;
    reassess();
}

void ClassBoardModel::setHistory(HistoryLookup history)
{
    history_ = std::move(history);
    reassess();
}

void ClassBoardModel::setRows(std::vector<TableRow> rows)
{
    rows_ = std::move(rows);
    // Numbers go out in the table's order (by file name) the first time a name is met.
    maskChanged();
}

QString ClassBoardModel::tieKey(const AttentionEntry &entry) const
{
    // While the names are hidden, equal needs stand in the order of their numbers: an order
    // by name would give the names away.
    if (nameMask()->hidden())
        return QStringLiteral("%1").arg(nameMask()->number(entry.name), 10, 10, QLatin1Char('0'));
    return entry.name;
}

void ClassBoardModel::setDeferred(bool deferred)
{
    deferred_ = deferred;
    if (!deferred_)
        assessPending();
}

void ClassBoardModel::assessPending()
{
    if (pending_)
        assess();
}

void ClassBoardModel::reassess()
{
    if (!deferred_) {
        assess();
        return;
    }
    pending_ = true;
    recheck_.stop();
}

void ClassBoardModel::assess()
{
    pending_ = false;
    beginResetModel();
    assessedAt_ = clock_();
    entries_ = assessClass(rows_, assessedAt_, targets_, history_);
    sortByNeed(entries_, [this](const AttentionEntry &entry) { return tieKey(entry); });
    endResetModel();

    recheck_.stop();
    if (const auto delay = recheckDelay())
        recheck_.start(int(std::clamp(*delay, kShortestWaitMSecs, kLongestWaitMSecs)));
    emit reassessed();
}

std::optional<qint64> ClassBoardModel::recheckDelay() const
{
    const auto at = recheckAt(entries_);
    if (!at)
        return std::nullopt;
    return *at - assessedAt_.toMSecsSinceEpoch();
}

int ClassBoardModel::rowOfKey(const QString &key) const
{
    for (std::size_t r = 0; r < entries_.size(); ++r)
        if (entries_[r].key == key)
            return int(r);
    return -1;
}

QString ClassBoardModel::shownName(const AttentionEntry &entry) const
{
    return nameMask()->shown(entry.name);
}

int ClassBoardModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QString ClassBoardModel::lastPracticeLine(const AttentionEntry &entry)
{
    //: A tile's last practice: %1 its date, or that there is none.
    return tr("最終練習 %1").arg(lastPracticeText(entry));
}

QString ClassBoardModel::accessibleText(const AttentionEntry &entry) const
{
    const Assessment &a = entry.assessment;
    //: A tile read aloud: %1 the learner's name, %2 the course.
    QStringList parts{tr("%1、%2").arg(shownName(entry), courseListText(entry.course)), stateText(a)};
    if (a.readable) {
        if (const QString further = furtherReasonsText(a); !further.isEmpty())
            parts << further;
        parts << figuresText(entry);
        parts << lastPracticeLine(entry);
    }
    //: Between the sentences of a tile read aloud; its tooltip puts each on a line.
    return parts.join(tr("。"));
}

QVariant ClassBoardModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const AttentionEntry &entry = entries_[std::size_t(index.row())];
    const Assessment &a = entry.assessment;
    switch (role) {
    case Qt::DisplayRole:
        return shownName(entry);
    case Qt::DecorationRole: {
        const auto top = a.top();
        return icons_[top ? std::size_t(*top) : std::size_t(kNeedCount)];
    }
    case Qt::ToolTipRole:
        return accessibleText(entry).replace(tr("。"), QStringLiteral("\n"));
    case Qt::AccessibleTextRole:
        return accessibleText(entry);
    case Qt::AccessibleDescriptionRole:
        return reasonsText(a);
    case KeyRole:
        return entry.key;
    case CourseRole:
        return courseListText(entry.course);
    case NeedRole: {
        const auto top = a.top();
        return top ? int(*top) : -1;
    }
    case StateRole:
        return stateText(a);
    case ReasonsRole:
        return furtherReasonsText(a);
    case FiguresRole:
        return figuresText(entry);
    case LastPracticeRole:
        return entry.lastPractice.isEmpty() ? QString() : lastPracticeLine(entry);
    default:
        return {};
    }
}

QHash<int, QByteArray> ClassBoardModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(KeyRole, "key");
    names.insert(CourseRole, "course");
    names.insert(NeedRole, "need");
    names.insert(StateRole, "state");
    names.insert(ReasonsRole, "reasons");
    names.insert(FiguresRole, "figures");
    names.insert(LastPracticeRole, "lastPractice");
    return names;
}

// ---------------------------------------------------------------- the tiles

namespace {

// Paints a tile from the model's texts; it keeps nothing.
class TileDelegate : public QStyledItemDelegate {
public:
    explicit TileDelegate(QListView *view) : QStyledItemDelegate(view), view_(view) {}

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return view_->gridSize();
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const std::optional<Need> need = needOf(index.data(ClassBoardModel::NeedRole));
        const QColor colour = reports::needColour(need);
        // Every colour is taken against the ground the palette gives, light or dark, and
        // text is moved off it until it reads.
        const QColor ground = reports::needTint(need, option.palette.color(QPalette::Base));
        const QColor text = colours::readableOn(option.palette.color(QPalette::Text), ground);
        const QFontMetrics metrics(option.font);
        const int line = metrics.height();
        const int pad = std::max(3, line / 4);
        const QRect tile = option.rect.adjusted(3, 3, -3, -3);

        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const bool selected = option.state & QStyle::State_Selected;
        const bool focused = option.state & QStyle::State_HasFocus;
        painter->setPen(QPen(selected ? option.palette.color(QPalette::Highlight) : QColor(150, 150, 150),
                             selected ? 3 : 1));
        painter->setBrush(ground);
        painter->drawRoundedRect(QRectF(tile).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        const int band = std::max(5, line / 3);
        painter->drawRect(QRect(tile.left() + 1, tile.top() + 1, band, tile.height() - 2));

        const int left = tile.left() + band + pad;
        const int right = tile.right() - pad;
        const int iconSide = line + line / 2;
        int y = tile.top() + pad;
        index.data(Qt::DecorationRole).value<QIcon>().paint(painter, QRect(left, y, iconSide, iconSide));

        QFont courseFont = option.font;
        courseFont.setPointSizeF(option.font.pointSizeF() * 0.85);
        const QString course = index.data(ClassBoardModel::CourseRole).toString();
        const int courseWidth = QFontMetrics(courseFont).horizontalAdvance(course);
        painter->setFont(courseFont);
        painter->setPen(text);
        painter->drawText(QRect(right - courseWidth, y, courseWidth, line), Qt::AlignRight | Qt::AlignVCenter, course);

        QFont nameFont = option.font;
        nameFont.setBold(true);
        nameFont.setPointSizeF(option.font.pointSizeF() * 1.15);
        const QFontMetrics nameMetrics(nameFont);
        const int nameLeft = left + iconSide + pad;
        const int nameWidth = std::max(0, right - courseWidth - pad - nameLeft);
        painter->setFont(nameFont);
        painter->drawText(QRect(nameLeft, y, nameWidth, iconSide), Qt::AlignLeft | Qt::AlignVCenter,
                          nameMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight, nameWidth));
        y += iconSide + pad / 2;

        QFont stateFont = option.font;
        stateFont.setBold(true);
        painter->setFont(stateFont);
        painter->setPen(reports::needInk(need, ground));
        const int width = right - left;
        painter->drawText(QRect(left, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(stateFont).elidedText(index.data(ClassBoardModel::StateRole).toString(),
                                                             Qt::ElideRight, width));
        y += line;

        painter->setFont(option.font);
        painter->setPen(text);
        for (int role : {int(ClassBoardModel::FiguresRole), int(ClassBoardModel::LastPracticeRole)}) {
            painter->drawText(QRect(left, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                              metrics.elidedText(index.data(role).toString(), Qt::ElideRight, width));
            y += line;
        }
        QFont reasonFont = option.font;
        reasonFont.setPointSizeF(option.font.pointSizeF() * 0.85);
        painter->setFont(reasonFont);
        painter->setPen(colours::readableOn(colours::blend(text, ground, 0.3), ground));
        painter->drawText(QRect(left, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(reasonFont).elidedText(index.data(ClassBoardModel::ReasonsRole).toString(),
                                                              Qt::ElideRight, width));
        if (focused) {
            // The tile the keys act on, whether or not it is selected: a frame inside the
            // border that stands out from the tile as a control's edge must (3:1).
            const QColor frame = colours::readableOn(option.palette.color(QPalette::Highlight), ground, 3.0);
            painter->setPen(QPen(frame, 2, Qt::DashLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRoundedRect(QRectF(tile).adjusted(4, 4, -4, -4), 3, 3);
        }
        painter->restore();
    }

private:
    QListView *view_;
};

} // namespace

// ---------------------------------------------------------------- the view

ClassBoard::ClassBoard(QWidget *parent) : QListView(parent), model_(new ClassBoardModel(this))
{
    setObjectName(QStringLiteral("lvClassBoard"));
    setModel(model_);
    setItemDelegate(new TileDelegate(this));
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSpacing(0);
    setContextMenuPolicy(Qt::PreventContextMenu); // the right-button release and the menu keys ask
    fitGrid();

    // A new assessment rebuilds the tiles; the current one stays on its record file.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { keptKey_ = currentKey(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { setCurrentKey(keptKey_); });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        emit learnerActivated(index.data(ClassBoardModel::KeyRole).toString());
    });
}

void ClassBoard::setVisible(bool visible)
{
    model_->setDeferred(!visible);
    QListView::setVisible(visible);
}

QString ClassBoard::currentKey() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.data(ClassBoardModel::KeyRole).toString() : QString();
}

void ClassBoard::setCurrentKey(const QString &key)
{
    const int row = key.isEmpty() ? -1 : model_->rowOfKey(key);
    if (row < 0) {
        // Its learner has gone: no tile stands for it.
        selectionModel()->clear();
        return;
    }
    setCurrentIndex(model_->index(row));
}

void ClassBoard::keyPressEvent(QKeyEvent *event)
{
    if (isMenuKey(event)) {
        event->accept();
        const QModelIndex current = currentIndex();
        const QPoint at = current.isValid() ? visualRect(current).center() : QPoint(0, 0);
        emit popupRequested(currentKey(), viewport()->mapToGlobal(at));
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit learnerActivated(currentKey());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void ClassBoard::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    // The press made the tile under the mouse the current one.
    const QPoint pos = event->position().toPoint();
    const QModelIndex hit = indexAt(pos);
    emit popupRequested(hit.isValid() ? hit.data(ClassBoardModel::KeyRole).toString() : QString(),
                        viewport()->mapToGlobal(pos));
}

void ClassBoard::resizeEvent(QResizeEvent *event)
{
    fitGrid();
    QListView::resizeEvent(event);
}

// Tiles share the width as evenly as whole tiles allow. The scroll bar's width is always
// kept free, as the list keeps it when it lays out its rows, so that its coming and going
// does not lay the grid out again; a row wraps before a tile would touch the last pixel.
void ClassBoard::fitGrid()
{
    const int line = fontMetrics().height();
    const int least = 15 * line;
    const int height = 5 * line + line / 2 + 2 * std::max(3, line / 4) + 6 + 2;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    const int available = std::max(least, maximumViewportSize().width() - bar - 1);
    const int columns = std::max(1, available / least);
    const QSize grid(available / columns, height);
    if (grid != gridSize())
        setGridSize(grid);
}

} // namespace qel
