#include "graphs/practicebars.h"

#include "base/painting.h"
#include "graphs/graphframe.h"

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qel::graphs {

namespace {
const QColor kNotObserved(208, 208, 208);
const QColor kBar(0, 0, 255);

// Left of the plot: the axis numbers; below: the labels; above: caption and legend.
constexpr int kLeft = 720;
constexpr int kRight = 240;
constexpr int kTop = 480;
constexpr int kBottom = 420;
constexpr int kDivisions = 5;
} // namespace

QString notObservedLegend()
{
    //: Legend of the grey band: days the viewer did not watch the folder.
    return QCoreApplication::translate("PracticeBars", "未観測");
}

QString carriedLegend()
{
    //: Legend of a hatched bar: it may hold runs of earlier days no one watched.
    return QCoreApplication::translate("PracticeBars", "前の日の分を含む");
}

double barDivision(double largest)
{
    if (!(largest > 0))
        return 1;
    const double wanted = largest / kDivisions;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= wanted)
            return std::max(1.0, step * power);
    return std::max(1.0, 10 * power);
}

void drawPracticeBars(QPainter &painter, int widthTwips, int heightTwips, const std::vector<PracticeBar> &bars,
                      const QString &caption)
{
    painter.save();
    painter.fillRect(painter.viewport(), kPaneBackground);
    draw::useTwips(painter);
    usePaneFont(painter);

    const double plotLeft = kLeft, plotRight = widthTwips - kRight;
    const double plotTop = kTop, plotBottom = heightTwips - kBottom;
    const double plotWidth = plotRight - plotLeft, plotHeight = plotBottom - plotTop;
    if (plotWidth <= 0 || plotHeight <= 0) {
        painter.restore();
        return;
    }
    const std::size_t room = std::size_t(std::max(1.0, std::floor(plotWidth / kMinBarSlot)));
    const std::size_t shown = std::min(bars.size(), room);
    const std::size_t first = bars.size() - shown;

    double largest = 0;
    for (std::size_t i = first; i < bars.size(); ++i)
        if (bars[i].observed)
            largest = std::max(largest, bars[i].value);
    const double division = barDivision(largest);
    const double top = division * kDivisions;

    // Grid and axis numbers.
    painter.setPen(draw::devicePen(kBlack, 1));
    for (int i = 0; i <= kDivisions; ++i) {
        const double y = plotBottom - plotHeight * i / kDivisions;
        painter.drawLine(QPointF(plotLeft, y), QPointF(plotRight, y));
        const QString number = QString::number(division * i, 'g', 6);
        writeText(painter, plotLeft - 60 - draw::textWidth(painter, number), y - kPaneTextHeight / 2, number, kBlack);
    }
    painter.drawLine(QPointF(plotLeft, plotTop), QPointF(plotLeft, plotBottom));
    writeText(painter, plotLeft, 40, caption, kBlack);

    // Legend, top right: a grey box and a hatched one.
    const double legendTop = 60, box = 160;
    double x = plotRight - draw::textWidth(painter, carriedLegend()) - box - 80;
    painter.setPen(draw::devicePen(kBar, 1));
    painter.setBrush(QBrush(kBar, Qt::BDiagPattern));
    painter.drawRect(QRectF(x, legendTop, box, box));
    writeText(painter, x + box + 60, legendTop - 10, carriedLegend(), kBlack);
    x -= draw::textWidth(painter, notObservedLegend()) + box + 200;
    fillBox(painter, x, legendTop, x + box, legendTop + box, kNotObserved);
    writeText(painter, x + box + 60, legendTop - 10, notObservedLegend(), kBlack);

    if (shown == 0) {
        painter.restore();
        return;
    }
    const double slot = plotWidth / double(shown);
    const double labelWidth = draw::textWidth(painter, QStringLiteral("00/00")) + 60;
    const std::size_t labelEvery = std::size_t(std::ceil(labelWidth / slot));
    for (std::size_t k = 0; k < shown; ++k) {
        const PracticeBar &bar = bars[first + k];
        const double left = plotLeft + slot * double(k);
        const double inset = slot * 0.15;
        if (!bar.observed) {
            fillBox(painter, left + inset, plotTop, left + slot - inset, plotBottom, kNotObserved);
        } else if (bar.value > 0) {
            const double height = plotHeight * std::min(bar.value, top) / top;
            const QRectF rect(QPointF(left + inset, plotBottom - height), QPointF(left + slot - inset, plotBottom));
            if (bar.carried) {
                painter.setPen(draw::devicePen(kBar, 1));
                painter.setBrush(QBrush(kBar, Qt::BDiagPattern));
                painter.drawRect(rect);
            } else {
                fillBox(painter, rect.left(), rect.top(), rect.right(), rect.bottom(), kBar);
            }
        }
        // The newest label always shows; the others as room allows.
        if ((shown - 1 - k) % labelEvery == 0)
            writeText(painter, left + slot / 2 - draw::textWidth(painter, bar.label) / 2, plotBottom + 60, bar.label,
                      kBlack);
    }
    painter.restore();
}

} // namespace qel::graphs
