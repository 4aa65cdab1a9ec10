#include "base/painting.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qel::draw {

void installFontSubstitutes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QStringList sans = {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                              QStringLiteral("IPAGothic"), QStringLiteral("Yu Gothic")};
    QFont::insertSubstitutions(kGothic, QStringList{QStringLiteral("Noto Sans Mono CJK JP"),
                                                    QStringLiteral("IPAGothic"),
                                                    QStringLiteral("MS Gothic")});
    QFont::insertSubstitutions(kPGothic, sans);
    QFont::insertSubstitutions(kPMincho, QStringList{QStringLiteral("Noto Serif CJK JP"),
                                                     QStringLiteral("IPAPMincho"),
                                                     QStringLiteral("Yu Mincho")});
    QFont::insertSubstitutions(kCentury, QStringList{QStringLiteral("Century Schoolbook"),
                                                     QStringLiteral("C059"),
                                                     QStringLiteral("DejaVu Serif")});
}

void useUnits(QPainter &painter, double unitsPerInch)
{
    const QPaintDevice *device = painter.device();
    const double sx = device ? device->logicalDpiX() / unitsPerInch : 96.0 / unitsPerInch;
    const double sy = device ? device->logicalDpiY() / unitsPerInch : 96.0 / unitsPerInch;
    painter.setWorldTransform(QTransform::fromScale(sx, sy));
}

void setFont(QPainter &painter, const QString &family, double points, bool bold, bool italic)
{
    installFontSubstitutes();
    QFont font(family);
    // The device turns points into its own pixels; undo the painter's scale so the
    // text ends up `points` tall on the device.
    const double scale = std::abs(painter.worldTransform().m22());
    font.setPointSizeF(points / (scale > 0 ? scale : 1.0));
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferOutline);
    painter.setFont(font);
}

QPen devicePen(const QColor &colour, double pixels, Qt::PenStyle style)
{
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidthF(pixels);
    pen.setStyle(style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

double baselineOffset(const QFont &font, const QPaintDevice *device)
{
    const QFontMetricsF metrics(font, device);
    double em = font.pixelSize() > 0 ? font.pixelSize() : 0.0;
    if (font.pointSizeF() > 0)
        em = font.pointSizeF() * (device ? device->logicalDpiY() : 96) / 72.0;
    // The top of the ideographic em box of the Noto substitutes.
    constexpr double kCellAscent = 0.88;
    return em > 0 ? std::min(metrics.ascent(), kCellAscent * em) : metrics.ascent();
}

void drawTextAt(QPainter &painter, QPointF topLeft, const QString &text)
{
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + baselineOffset(painter.font(), painter.device())),
                     text);
}

double textWidth(const QPainter &painter, const QString &text)
{
    return QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
}

QRectF textCell(const QPainter &painter, QPointF topLeft, const QString &text)
{
    qsizetype first = 0;
    while (first < text.size() && text[first].isSpace())
        ++first;
    const QString shown = text.mid(first).trimmed();
    if (shown.isEmpty())
        return {};
    const QFont font = painter.font();
    const QPaintDevice *device = painter.device();
    const double em = font.pointSizeF() > 0 ? font.pointSizeF() * (device ? device->logicalDpiY() : 96) / 72.0
                                            : font.pixelSize();
    const double left = topLeft.x() + textWidth(painter, text.left(first));
    return {left, topLeft.y(), textWidth(painter, shown), em};
}

int mmToTwips(double millimetres)
{
    return int(std::nearbyint(millimetres * kTwipsPerMillimetre));
}

} // namespace qel::draw
