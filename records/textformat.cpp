#include "textformat.h"

#include <cmath>

namespace qel {

namespace {
QString twoDigits(std::int64_t v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}
}

QString timeText(std::int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    return twoDigits(seconds / 3600) + QLatin1Char(':') + twoDigits((seconds / 60) % 60)
         + QLatin1Char(':') + twoDigits(seconds % 60);
}

QString dateText(const QDateTime &when)
{
    if (!when.isValid())
        return QString();
    return when.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

QString twoDecimals(double value)
{
    QString text = QString::number(value, 'f', 2);
    if (text.startsWith(QLatin1Char('-')) && text == QStringLiteral("-0.00"))
        text.remove(0, 1);
    return text;
}

QString padRight(const QString &padding, const QString &text, int width)
{
    const QString filled = padding + text;
    return filled.size() > width ? filled.right(width) : filled;
}

std::int64_t roundHalfEven(double value)
{
    return std::int64_t(std::nearbyint(value));
}

} // namespace qel
