#include "records/textformat.h"

#include <cmath>
#include <cstdio>

namespace qel {

// Both forms are built in one buffer: the table build writes two per row.
QString timeText(std::int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    char buffer[40];
    const int n = std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld",
                                static_cast<long long>(seconds / 3600),
                                static_cast<long long>((seconds / 60) % 60),
                                static_cast<long long>(seconds % 60));
    return QString::fromLatin1(buffer, n);
}

QString dateText(const QDateTime &when)
{
    if (!when.isValid())
        return QString();
    const QDateTime local = when.timeSpec() == Qt::LocalTime ? when : when.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", d.year(),
                                d.month(), d.day(), t.hour(), t.minute(), t.second());
    return QString::fromLatin1(buffer, n);
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
