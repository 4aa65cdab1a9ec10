#include "samples/settingswriter.h"

#include "records/cp932.h"

namespace qel::samples {

QByteArray iniBytes(const std::vector<IniSection> &sections)
{
    QString text;
    for (const IniSection &section : sections) {
        text += QLatin1Char('[') + section.name + QStringLiteral("]\r\n");
        for (const auto &[key, value] : section.entries)
            text += key + QLatin1Char('=') + value + QStringLiteral("\r\n");
    }
    return toCp932(text);
}

bool fitsCp932(const QString &text)
{
    return fromCp932(toCp932(text)) == text;
}

} // namespace qel::samples
