#include "config/classsettings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace qel {

namespace {

const QString kFolder = QStringLiteral("Folder");
const QString kNameNumbers = QStringLiteral("LearnerNumbers");

QString canonicalFolder(const QString &folder)
{
    QString path = QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(folder)).absoluteFilePath());
#ifdef Q_OS_WIN
    path = path.toLower(); // one folder, however its name is cased
#endif
    return path;
}

struct TargetValue {
    const char *name;
    int CourseTargets::*field;
    TargetRange range;
};
const TargetValue kTargetValues[] = {
    {"Spm", &CourseTargets::spm, kSpmRange},
    {"Mistype", &CourseTargets::mistypeTenths, kMistypeTenthsRange},
    {"MinutesPerWeek", &CourseTargets::minutesPerWeek, kMinutesRange},
    {"IdleDays", &CourseTargets::idleDays, kIdleDaysRange},
};

QString valueName(Course course, const TargetValue &value)
{
    return (course == English ? QStringLiteral("English") : QStringLiteral("Kana")) + QLatin1String(value.name);
}

// Remembers which folder the key stands for, for whoever reads the store.
StoreStatus nameFolder(const RegistryKey &key, const QString &folder)
{
    return setString(key, kFolder, canonicalFolder(folder));
}

} // namespace

RegistryKey folderKey(const QString &folder)
{
    const QByteArray digest = QCryptographicHash::hash(canonicalFolder(folder).toUtf8(), QCryptographicHash::Sha1);
    RegistryKey key = viewerKey();
    key.group = QStringLiteral("Folders/") + QString::fromLatin1(digest.toHex().left(20));
    return key;
}

ClassTargets loadTargets(const QString &folder)
{
    const RegistryKey key = folderKey(folder);
    ClassTargets targets;
    for (const Course course : {English, Kana})
        for (const TargetValue &value : kTargetValues)
            if (const auto stored = queryLong(key, valueName(course, value)); stored && value.range.holds(*stored))
                targets.of(course).*value.field = *stored;
    return targets;
}

StoreStatus saveTargets(const QString &folder, const ClassTargets &targets)
{
    const RegistryKey key = folderKey(folder);
    for (const Course course : {English, Kana})
        for (const TargetValue &value : kTargetValues)
            if (StoreStatus status = setLong(key, valueName(course, value), targets.of(course).*value.field); !status)
                return status;
    return nameFolder(key, folder);
}

// One text: each name percent-encoded (a name may hold any character a file name can),
// joined by commas.
QStringList loadNameNumbers(const QString &folder)
{
    const QString stored = queryStringOr(folderKey(folder), kNameNumbers, QString());
    QStringList names;
    if (stored.isEmpty())
        return names;
    for (const QString &encoded : stored.split(QLatin1Char(',')))
        names << QUrl::fromPercentEncoding(encoded.toLatin1());
    return names;
}

StoreStatus saveNameNumbers(const QString &folder, const QStringList &names)
{
    QStringList encoded;
    encoded.reserve(names.size());
    for (const QString &name : names)
        encoded << QString::fromLatin1(QUrl::toPercentEncoding(name));
    const RegistryKey key = folderKey(folder);
    if (StoreStatus status = setString(key, kNameNumbers, encoded.join(QLatin1Char(','))); !status)
        return status;
    return nameFolder(key, folder);
}

} // namespace qel
