#include "records/wording.h"

#include <QCoreApplication>

namespace qel {

QString worded(Wording wording, const char *context, const char *source, int count)
{
    if (wording == Wording::Shown)
        return QCoreApplication::translate(context, source, nullptr, count);
    QString text = QString::fromUtf8(source);
    if (count >= 0)
        text.replace(QLatin1String("%n"), QString::number(count));
    return text;
}

} // namespace qel
