#include "records/textformat.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

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

namespace {

// The local time's offset from UTC at `msecs`. The system's conversion reads the zone
// anew each time, which a table of many files pays per row; offsets change only at
// quarter hours of UTC, so they are kept per quarter hour that begins and ends on the same
// offset (the last few hundred quarters this thread has seen).
int localOffsetSeconds(qint64 msecs)
{
    const auto offsetAt = [](qint64 at) {
        return QDateTime::fromMSecsSinceEpoch(at, Qt::UTC).toLocalTime().offsetFromUtc();
    };
    constexpr qint64 kQuarter = 15 * 60 * 1000;
    const qint64 quarter = msecs >= 0 ? msecs / kQuarter : (msecs + 1) / kQuarter - 1;
    struct Kept {
        qint64 quarter = std::numeric_limits<qint64>::min();
        int offset = 0;
    };
    thread_local std::array<Kept, 256> kept;
    Kept &slot = kept[std::size_t(quarter & 255)];
    if (slot.quarter == quarter)
        return slot.offset;
    const int first = offsetAt(quarter * kQuarter);
    if (first != offsetAt(quarter * kQuarter + kQuarter - 1))
        return offsetAt(msecs);
    slot = {quarter, first};
    return first;
}

} // namespace

QString dateText(const QDateTime &when)
{
    if (!when.isValid())
        return QString();
    const QDateTime local = when.timeSpec() == Qt::LocalTime
                                ? when
                                : QDateTime::fromMSecsSinceEpoch(
                                      when.toMSecsSinceEpoch()
                                          + qint64(localOffsetSeconds(when.toMSecsSinceEpoch())) * 1000,
                                      Qt::UTC);
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
