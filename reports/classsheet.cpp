#include "reports/classsheet.h"

#include "base/painting.h"
#include "records/textformat.h"
#include "reports/needstyle.h"
#include "reports/printdraw.h"

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qel::reports {

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(ClassSheet)
};
} // namespace

ClassSheet classSheet(const std::vector<AttentionEntry> &entries,
                      const std::function<QString(const AttentionEntry &)> &nameOf, int group,
                      const QDateTime &now)
{
    ClassSheet sheet;
    //: Title of the printed class board; %1 the group.
    sheet.title = Tr::tr("クラスの様子（%1）").arg(groupName(group));
    //: When the class board was printed: %1 date and time.
    sheet.stamp = Tr::tr("%1 現在").arg(dateText(now));
    sheet.tiles.reserve(entries.size());
    for (const AttentionEntry &entry : entries) {
        const Assessment &a = entry.assessment;
        sheet.tiles.push_back({nameOf(entry), courseListText(entry.course), a.top(), stateText(a),
                               figuresText(entry), lastPracticeText(entry), furtherReasonsText(a)});
    }
    return sheet;
}

SheetGrid sheetGrid(int tiles, double width, double height)
{
    SheetGrid best;
    best.scale = 0;
    best.rows = 0;
    if (tiles <= 0) {
        best.scale = 1;
        return best;
    }
    for (int columns = 1; columns <= tiles; ++columns) {
        const int rows = (tiles + columns - 1) / columns;
        // Tiles and the gaps between them (a gap is 2/60 of a tile's width) scale together.
        const double byWidth = width / (60.0 * columns + 2.0 * (columns - 1));
        const double byHeight = height / (26.0 * rows + 2.0 * (rows - 1));
        const double scale = std::min({1.0, byWidth, byHeight});
        if (scale >= best.scale) {
            best = {columns, rows, scale};
        }
        if (byWidth < best.scale)
            break; // more columns only make tiles narrower
    }
    return best;
}

namespace {

// The text cut, with an ellipsis, to `width`.
QString fitted(const QPainter &painter, const QString &text, double width)
{
    if (draw::textWidth(painter, text) <= width)
        return text;
    QString cut = text;
    while (!cut.isEmpty() && draw::textWidth(painter, cut + QStringLiteral("…")) > width)
        cut.chop(1);
    return cut.isEmpty() ? QString() : cut + QStringLiteral("…");
}

void drawTile(QPainter &painter, const QRectF &box, double s, const SheetTile &tile)
{
    const QColor colour = needColour(tile.need);
    setLine(painter, 1);
    painter.setBrush(needTint(tile.need));
    painter.drawRect(box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(QRectF(box.left(), box.top(), 2.5 * s, box.height()));
    painter.setBrush(Qt::NoBrush);

    const double x = box.left() + 4 * s;
    const double textLeft = box.left() + 10.5 * s;
    const double right = box.right() - 1.5 * s;
    drawNeedSymbol(painter, QRectF(x, box.top() + 2 * s, 5 * s, 5 * s), tile.need);

    setPrintFont(painter, 7 * s);
    const double courseWidth = draw::textWidth(painter, tile.course);
    painter.setPen(Qt::black);
    textAt(painter, right - courseWidth, box.top() + 2.5 * s, tile.course);

    draw::setFont(painter, draw::kGothic, 12 * s, true);
    textAt(painter, textLeft, box.top() + 1.5 * s,
           fitted(painter, tile.name, right - courseWidth - 1.5 * s - textLeft));

    setPrintFont(painter, 9 * s);
    painter.setPen(colour.darker(130));
    textAt(painter, textLeft, box.top() + 7.5 * s, fitted(painter, tile.state, right - textLeft));

    painter.setPen(Qt::black);
    setPrintFont(painter, 7.5 * s);
    textAt(painter, x, box.top() + 13.5 * s, fitted(painter, tile.figures, right - x));
    if (!tile.lastPractice.isEmpty())
        textAt(painter, x, box.top() + 17.5 * s,
               //: On a tile: %1 the date of the learner's last practice.
               fitted(painter, Tr::tr("最終練習 %1").arg(tile.lastPractice), right - x));
    setPrintFont(painter, 7 * s);
    textAt(painter, x, box.top() + 21.5 * s, fitted(painter, tile.reasons, right - x));
}

void drawKey(QPainter &painter, double left, double top, double right)
{
    setPrintFont(painter, 8);
    painter.setPen(Qt::black);
    double x = left;
    auto entry = [&](std::optional<Need> need, const QString &caption) {
        const double width = 4.5 + draw::textWidth(painter, caption) + 5;
        if (x + width > right)
            return;
        drawNeedSymbol(painter, QRectF(x, top, 3.5, 3.5), need);
        painter.setPen(Qt::black);
        textAt(painter, x + 4.5, top, caption);
        x += width;
    };
    for (int n = 0; n < kNeedCount; ++n) {
        const Need need = Need(n);
        //: The key's entry for learners absent for more days than the Course allows.
        entry(need, need == Need::Absent ? Tr::tr("N日練習なし") : needCaption(need));
    }
    Assessment unreadable;
    unreadable.readable = false;
    entry(std::nullopt, stateText(unreadable));
}

} // namespace

void drawClassSheet(QPainter &painter, const PageGeometry &page, const ClassSheet &sheet)
{
    painter.save();
    draw::useMillimetres(painter);
    const double left = page.left, right = page.right, top = page.top, bottom = page.bottom;

    painter.setPen(Qt::black);
    setPrintFont(painter, 16);
    textAt(painter, left, top, sheet.title);
    setPrintFont(painter, 9);
    textAt(painter, right - draw::textWidth(painter, sheet.stamp), top + 2.5, sheet.stamp);

    const double gridTop = top + 12;
    const double keyTop = bottom - 4;
    const double gridBottom = keyTop - 4;
    if (sheet.tiles.empty()) {
        setPrintFont(painter, 11);
        textAt(painter, left, gridTop, Tr::tr("学習者がいません。"));
    } else {
        const SheetGrid grid = sheetGrid(int(sheet.tiles.size()), right - left, gridBottom - gridTop);
        for (std::size_t i = 0; i < sheet.tiles.size(); ++i) {
            const int column = int(i) % grid.columns;
            const int row = int(i) / grid.columns;
            const QRectF box(left + column * (grid.tileWidth() + grid.gap()),
                             gridTop + row * (grid.tileHeight() + grid.gap()), grid.tileWidth(),
                             grid.tileHeight());
            drawTile(painter, box, grid.scale, sheet.tiles[i]);
        }
    }
    drawKey(painter, left, keyTop, right);
    painter.restore();
}

} // namespace qel::reports
