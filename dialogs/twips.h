#pragma once
// The dialogs' layouts are written in twips; each dialog turns them into pixels with
// the screen's DPI once.

#include <QRect>
#include <QWidget>
#include <cmath>

class QLabel;
class QPushButton;

namespace qel {

class TwipsScale {
public:
    explicit TwipsScale(const QWidget *widget)
        : m_dpiX(widget->logicalDpiX()), m_dpiY(widget->logicalDpiY())
    {
    }
    int x(double twips) const { return int(std::lround(twips * m_dpiX / 1440.0)); }
    int y(double twips) const { return int(std::lround(twips * m_dpiY / 1440.0)); }
    QRect rect(double left, double top, double width, double height) const
    {
        return QRect(x(left), y(top), x(width), y(height));
    }

private:
    double m_dpiX, m_dpiY;
};

// A label showing plain text: names and settings come from files and are never markup.
QLabel *addPlainLabel(QWidget *parent, const QString &objectName, const QRect &geometry,
                      Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

QPushButton *addButton(QWidget *parent, const QString &objectName, const QString &caption,
                       const QRect &geometry);

} // namespace qel
