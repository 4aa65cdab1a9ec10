#pragma once
// Writes a learner's settings file (<name>.ini) as the trainer does: code page 932, CR LF.

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace qel::samples {

struct IniSection {
    QString name; // without the brackets
    std::vector<std::pair<QString, QString>> entries; // key, value
};

// The file's bytes: each section line, then its key=value lines.
QByteArray iniBytes(const std::vector<IniSection> &sections);
// True when every character of `text` has a code page 932 form.
bool fitsCp932(const QString &text);

} // namespace qel::samples
