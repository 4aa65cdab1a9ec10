#include "reports/groupreport.h"

#include "reports/printdraw.h"

#include "base/painting.h"
#include "records/textformat.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace qel::reports {

using draw::mmToTwips;

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(GroupReport)
};
} // namespace

std::int64_t printedPeoplePerDivision(std::int64_t m)
{
    if (m <= 10)
        return 1;
    if (m <= 100)
        return (m - 1) / 10 + 1;
    return ((m - 1) / 100 + 1) * 10;
}

QString countLabel(std::int64_t count, int blanks)
{
    //: Above a bar: %1 the number of learners (padded with blanks, keep them in front).
    return Tr::tr("%1人  ").arg((QString(blanks, QLatin1Char(' ')) + QString::number(count)).right(5));
}

QString rangeLabel(int bar, std::int64_t binWidth)
{
    if (bar <= 1)
        //: Under the first bar: values from 0.
        return Tr::tr("0～");
    if (bar <= 10)
        //: Under a bar: values from %1 (up to the next bar's).
        return Tr::tr("%1～").arg((bar - 1) * binWidth);
    //: Under the last bar: %1 and more.
    return Tr::tr("%1以上").arg(10 * binWidth);
}

namespace {

// "(<folder>)", the folder shortened in the middle where it would run past `width`.
QString folderHeading(const QPainter &painter, const QString &folder, double width)
{
    const QString whole = QLatin1Char('(') + folder + QLatin1Char(')');
    if (draw::textWidth(painter, whole) <= width)
        return whole;
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double room = width - draw::textWidth(painter, QStringLiteral("()"));
    return QLatin1Char('(') + metrics.elidedText(folder, Qt::ElideMiddle, std::max(room, 0.0)) + QLatin1Char(')');
}

void drawHeadingAndTable(QPainter &painter, const PageGeometry &g, const QString &folder,
                         const GroupStatistics &statistics)
{
    setPrintFont(painter, 20);
    //: Title of the group report: the whole class. Short: the folder follows it on the line.
    textAt(painter, g.paperX(25), 15, Tr::tr("全体", "title"));
    setPrintFont(painter, 12);
    textAt(painter, g.paperX(39), 17, folderHeading(painter, folder, g.right - 2 - g.paperX(39)));
    //: Column of the statistics: all learners.
    textAt(painter, g.paperX(83), 25, Tr::tr("全体"));
    //: Column of the statistics: the learners of the English course.
    textAt(painter, g.paperX(118), 25, Tr::tr("英文練習"));
    //: Column of the statistics: the learners of the kana/romaji course.
    textAt(painter, g.paperX(153), 25, Tr::tr("かな／ローマ練習"));

    // Rows of the statistics: learners, mean, highest and lowest passed STEP and run count.
    static const struct {
        const char *label;
        int paperX;
    } rows[] = {
        {QT_TRANSLATE_NOOP("GroupReport", "練習人数"), 40},
        {QT_TRANSLATE_NOOP("GroupReport", "平均ＳＴＥＰ"), 32},
        {QT_TRANSLATE_NOOP("GroupReport", "平均練習回数"), 32},
        {QT_TRANSLATE_NOOP("GroupReport", "最高ＳＴＥＰ"), 32},
        {QT_TRANSLATE_NOOP("GroupReport", "最低ＳＴＥＰ"), 32},
        {QT_TRANSLATE_NOOP("GroupReport", "最高練習回数"), 32},
        {QT_TRANSLATE_NOOP("GroupReport", "最低練習回数"), 32},
    };
    static const int columnX[3] = {78, 118, 158};
    const auto rule = [&](int at) {
        painter.drawLine(QPointF(g.paperX(28), at), QPointF(g.paperX(188), at));
    };
    int y = 33;
    for (int r = 0; r < 7; ++r) {
        if (r > 0)
            y += 5;
        textAt(painter, g.paperX(rows[r].paperX), y, Tr::tr(rows[r].label));
        for (int group = 0; group < 3; ++group)
            textAt(painter, g.paperX(columnX[group]), y, statistics.text(r, group));
        rule(y + 4);
    }
    rule(y + 6);
}

struct Band {
    double top;    // millimetres
    double bottom; // millimetres
};

// A count label never starts above this far below the top of its band, clear of the
// band's frame.
constexpr double kCountInset = 30; // twips

// A count over a bar that (nearly) fills its band is written inside the band, on the bar,
// on a white box so that the hatching does not run through it.
void countAt(QPainter &painter, double x, double y, double bandTop, const QString &label)
{
    const double top = bandTop + kCountInset;
    if (y >= top) {
        textAt(painter, x, y, label);
        return;
    }
    const QRectF cell = draw::textCell(painter, QPointF(x, top), label);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(cell);
    painter.restore();
    textAt(painter, x, top, label);
}

void drawHistogram(QPainter &painter, const PageGeometry &g, std::vector<std::int32_t> &values,
                   const Band &band, bool stepHistogram)
{
    const double h = g.histogramHeight();
    const Histogram histogram = makeHistogram(values);
    const std::int64_t perDivision = printedPeoplePerDivision(histogram.largestCount);

    setLine(painter, 1);
    setPrintFont(painter, 6);
    for (int i = 0; i <= 10; ++i) {
        const double y = stepHistogram
            ? mmToTwips(g.top + 63 + roundHalfEven(h * (10 - i)) / 10) - 30
            : mmToTwips((g.bottom - 5) - roundHalfEven(h * i) / 10) - 60;
        textAt(painter, mmToTwips(g.left) + 10, y, numberText(perDivision * i));
    }

    const double division = mmToTwips(h) / 10.0;
    const double slotWidth = mmToTwips(g.histogramWidth()) / 11.0;
    const double plotLeft = mmToTwips(g.left + 5);
    const double bandBottom = mmToTwips(band.bottom);
    const QColor outline = stepHistogram ? Qt::black : QColor(0, 0, 255);
    for (int k = 1; k <= 11; ++k) {
        const std::int64_t count = histogram.counts[std::size_t(k - 1)];
        const double slotLeft = plotLeft + slotWidth * (k - 1);
        const double barRight = plotLeft + slotWidth * k - 50;
        const double barTop = bandBottom - division * double(count) / double(perDivision);
        setLine(painter, 1, outline);
        drawHatchedBox(painter, slotLeft + 50, bandBottom, barRight, barTop);
        setLine(painter, 1);
        countAt(painter, barRight - 600, barTop - 170, mmToTwips(band.top), countLabel(count, stepHistogram ? 3 : 4));
        setPrintFont(painter, 8);
        textAt(painter, slotLeft + 227, mmToTwips(band.bottom + 1), rangeLabel(k, histogram.binWidth));
        setPrintFont(painter, 6);
    }
    painter.setBrush(Qt::NoBrush);
    const double unitY = stepHistogram ? mmToTwips(g.top + 60) - 30 : mmToTwips(g.top + 69 + h);
    //: Caption of the vertical axis: number of learners.
    textAt(painter, mmToTwips(g.left + 6), unitY, Tr::tr("人"));
}

} // namespace

void drawGroupReport(QPainter &painter, const PageGeometry &g, const QString &folder,
                     const GroupStatistics &statistics, GroupCollections &collections)
{
    draw::useMillimetres(painter);
    setPrintFont(painter, 16);
    setLine(painter, 1);
    painter.setBrush(Qt::white);
    drawBox(painter, g.left, g.top, g.right, g.bottom);
    drawHeadingAndTable(painter, g, folder, statistics);

    const double h = g.histogramHeight();
    const Band bands[2] = {{g.top + 63.0, g.top + 63 + h}, {g.top + 73 + h, g.top + 73 + 2 * h}};
    draw::useTwips(painter);
    setLine(painter, 1);
    const double x1 = mmToTwips(g.left + 5);
    const double x2 = mmToTwips(g.right - 5);
    for (const Band &band : bands)
        for (int i = 1; i <= 9; ++i) {
            const double y = mmToTwips(band.top) + mmToTwips(h * i) / 10.0;
            painter.drawLine(QPointF(x1, y), QPointF(x2, y));
        }

    setPrintFont(painter, 12);
    const int titleX = mmToTwips((g.left + g.right) / 2 - 8);
    //: Title of the histogram of passed STEPs.
    textAt(painter, titleX, mmToTwips(g.top + 58), Tr::tr("ＳＴＥＰ"));
    //: Title of the histogram of run counts.
    textAt(painter, titleX, mmToTwips(g.top + 68 + h), Tr::tr("練習回数"));

    drawHistogram(painter, g, collections.groupSteps, bands[0], true);
    drawHistogram(painter, g, collections.groupRunCounts, bands[1], false);

    setLine(painter, 4);
    painter.setBrush(Qt::NoBrush);
    for (const Band &band : bands)
        drawBox(painter, x1, mmToTwips(band.top), x2, mmToTwips(band.bottom));
    setLine(painter, 5);
    const double separatorY = mmToTwips(g.top + 67 + h);
    painter.drawLine(QPointF(x1, separatorY), QPointF(x2, separatorY));
}

} // namespace qel::reports
