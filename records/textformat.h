#pragma once
// Display forms of times, dates and numbers shared by the list, dialogs, reports and tools.

#include <QDateTime>
#include <QString>
#include <cstdint>

namespace qel {

// "HH:MM:SS", each field at least two digits, hours unbounded; negative counts show as 0.
QString timeText(std::int64_t seconds);
// "YYYY/MM/DD HH:MM:SS" in local time.
QString dateText(const QDateTime &when);
// Two decimals, at least one integer digit ("#0.00" and "0.#0"); a value that rounds
// to zero never shows a minus sign.
QString twoDecimals(double value);
// Fills `text` on the left with `padding` and keeps its last `width` characters.
QString padRight(const QString &padding, const QString &text, int width);

// Rounds halves to the even neighbour, as every whole-number conversion here does.
std::int64_t roundHalfEven(double value);

} // namespace qel
