#include "mainwindow/icons.h"

#include "base/painting.h"
#include "reports/needstyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace qel::icons {

namespace {

using Drawing = std::function<void(QPainter &)>;

// Draws on a 16 x 16 canvas, rendered at several sizes.
QIcon render(const Drawing &drawing)
{
    QIcon icon;
    for (int size : {16, 20, 24, 32, 40, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(size / 16.0, size / 16.0);
        drawing(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

const QColor kOutline(60, 60, 60);

void folder(QPainter &p, bool open)
{
    p.setPen(QPen(QColor(150, 110, 20), 0.8));
    p.setBrush(QColor(240, 200, 80));
    QPainterPath back;
    back.moveTo(1, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(255, 225, 120));
    if (open) {
        QPainterPath front;
        front.moveTo(1, 13.5);
        front.lineTo(3.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(13, 13.5);
        front.closeSubpath();
        p.drawPath(front);
    } else {
        p.drawRect(QRectF(1, 6.5, 13.5, 7));
    }
}

void person(QPainter &p, const QColor &colour, double x = 0, double y = 0, double scale = 1)
{
    p.save();
    p.translate(x, y);
    p.scale(scale, scale);
    p.setPen(QPen(colour.darker(160), 0.7));
    p.setBrush(QColor(250, 215, 180));
    p.drawEllipse(QPointF(5.5, 4.2), 2.6, 2.6);
    p.setBrush(colour);
    QPainterPath body;
    body.moveTo(1, 15);
    body.cubicTo(1, 9, 10, 9, 10, 15);
    body.closeSubpath();
    p.drawPath(body);
    p.restore();
}

void badge(QPainter &p, const QString &text, const QColor &colour, const QRectF &box)
{
    draw::installFontSubstitutes();
    p.setPen(QPen(colour.darker(150), 0.7));
    p.setBrush(Qt::white);
    p.drawRoundedRect(box, 1.5, 1.5);
    QFont font(text.at(0).unicode() < 0x80 ? draw::kCentury : draw::kPGothic);
    font.setPixelSize(text.at(0).unicode() < 0x80 ? 8 : 7);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void bars(QPainter &p, const QColor &colour, const std::initializer_list<double> &heights)
{
    p.setPen(QPen(kOutline, 0.8));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
    p.drawLine(QPointF(1.5, 14.5), QPointF(15, 14.5));
    double x = 3;
    p.setPen(QPen(colour.darker(140), 0.5));
    p.setBrush(colour);
    for (double h : heights) {
        p.drawRect(QRectF(x, 14 - h, 2.2, h));
        x += 3;
    }
}

void card(QPainter &p)
{
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1, 2, 14, 12), 1.2, 1.2);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(8, 5.5 + 2.8 * i), QPointF(13.5, 5.5 + 2.8 * i));
}

} // namespace

QIcon image(int number)
{
    switch (number) {
    case 1: return render([](QPainter &p) { folder(p, true); });
    case 2: return render([](QPainter &p) { folder(p, false); });
    case 4:
        return render([](QPainter &p) {
            person(p, QColor(40, 90, 200), -0.5, 0);
            badge(p, QStringLiteral("A"), QColor(0, 60, 200), QRectF(8.5, 6.5, 7.5, 9));
        });
    case 5:
        return render([](QPainter &p) {
            person(p, QColor(210, 80, 50), -0.5, 0);
            badge(p, QStringLiteral("あ"), QColor(200, 30, 30), QRectF(8.5, 6.5, 7.5, 9));
        });
    default: return QIcon();
    }
}

QIcon toolbar(const QString &key)
{
    if (key == QLatin1String("Open"))
        return render([](QPainter &p) {
            folder(p, true);
            p.setPen(QPen(QColor(0, 130, 0), 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(11, 1), QPointF(11, 5.5));
            p.drawLine(QPointF(9, 3.3), QPointF(11, 1));
            p.drawLine(QPointF(13, 3.3), QPointF(11, 1));
        });
    if (key == QLatin1String("Find"))
        return render([](QPainter &p) {
            p.setPen(QPen(kOutline, 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
            p.setPen(QPen(kOutline, 1.4));
            p.setBrush(QColor(200, 230, 255));
            p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
        });
    if (key == QLatin1String("Delete"))
        return render([](QPainter &p) {
            person(p, QColor(120, 120, 120), 0, 0);
            p.setPen(QPen(QColor(220, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8.5, 7), QPointF(14.5, 13));
            p.drawLine(QPointF(14.5, 7), QPointF(8.5, 13));
        });
    if (key == QLatin1String("View Details"))
        return render([](QPainter &p) {
            p.setPen(QPen(kOutline, 0.8));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1, 1.5, 14, 13));
            p.setPen(QPen(QColor(40, 90, 200), 1.4));
            for (int i = 0; i < 4; ++i) {
                p.drawLine(QPointF(3, 4.5 + 3 * i), QPointF(4.5, 4.5 + 3 * i));
                p.drawLine(QPointF(6, 4.5 + 3 * i), QPointF(13, 4.5 + 3 * i));
            }
        });
    if (key == QLatin1String("English"))
        return render([](QPainter &p) {
            person(p, QColor(40, 90, 200), -1, 1, 0.95);
            badge(p, QStringLiteral("A"), QColor(0, 60, 200), QRectF(7.5, 1, 8.5, 10));
        });
    if (key == QLatin1String("Kana"))
        return render([](QPainter &p) {
            person(p, QColor(210, 80, 50), -1, 1, 0.95);
            badge(p, QStringLiteral("あ"), QColor(200, 30, 30), QRectF(7.5, 1, 8.5, 10));
        });
    if (key == QLatin1String("p3"))
        return render([](QPainter &p) {
            p.fillRect(QRectF(1, 1, 14, 14), QColor(255, 255, 192));
            p.setPen(QPen(kOutline, 0.8));
            p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
            p.drawLine(QPointF(1.5, 14.5), QPointF(15, 14.5));
            p.setPen(QPen(QColor(0, 0, 255), 1.3));
            p.drawPolyline(QPolygonF({QPointF(2.5, 12), QPointF(5, 9), QPointF(7.5, 10),
                                      QPointF(10, 6), QPointF(12.5, 7), QPointF(14.5, 3)}));
            p.setPen(QPen(QColor(255, 0, 0), 1));
            p.drawPolyline(QPolygonF({QPointF(2.5, 6), QPointF(5, 8), QPointF(7.5, 7.5),
                                      QPointF(10, 11), QPointF(12.5, 10.5), QPointF(14.5, 12.5)}));
        });
    if (key == QLatin1String("p4"))
        return render([](QPainter &p) {
            bars(p, QColor(0, 0, 255), {4, 7, 5, 9});
            p.setPen(QPen(kOutline, 0.8));
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(11.5, 4.5), 3.8, 3.8);
            p.drawLine(QPointF(11.5, 4.5), QPointF(11.5, 2));
            p.drawLine(QPointF(11.5, 4.5), QPointF(13.3, 4.5));
        });
    if (key == QLatin1String("pa1"))
        return render([](QPainter &p) {
            bars(p, QColor(0, 0, 255), {3, 6, 11, 8});
            badge(p, QStringLiteral("S"), QColor(0, 0, 160), QRectF(9.5, 0.5, 6, 6.5));
        });
    if (key == QLatin1String("pa2"))
        return render([](QPainter &p) {
            bars(p, QColor(0, 160, 0), {9, 11, 6, 3});
            badge(p, QStringLiteral("#"), QColor(0, 110, 0), QRectF(9.5, 0.5, 6, 6.5));
        });
    if (key == QLatin1String("pp1"))
        return render([](QPainter &p) {
            card(p);
            person(p, QColor(40, 90, 200), 1.5, 3, 0.62);
        });
    if (key == QLatin1String("p2"))
        return render([](QPainter &p) {
            person(p, QColor(120, 150, 210), 5.5, -1, 0.8);
            person(p, QColor(210, 120, 90), 0, 2, 0.85);
            person(p, QColor(40, 90, 200), 6, 3, 0.85);
        });
    return QIcon();
}

QIcon need(std::optional<Need> state)
{
    return render([state](QPainter &p) { reports::drawNeedSymbol(p, QRectF(0, 0, 16, 16), state); });
}

} // namespace qel::icons
