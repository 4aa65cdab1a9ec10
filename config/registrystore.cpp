#include "config/registrystore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QLockFile>
#include <QSettings>
#include <QTemporaryFile>
#include <QVariant>
#include <filesystem>
#include <limits>
#include <map>

namespace qel {

namespace {

// Settings opened on the key's group. Native format: the registry on Windows.
struct OpenKey {
    explicit OpenKey(const RegistryKey &key)
        : settings(QSettings::NativeFormat, QSettings::UserScope, key.organization, key.application)
    {
        settings.beginGroup(key.group);
    }
    QSettings settings;
};

int failureCode(const QSettings &settings)
{
    // Writing needs the store to be writable; a store that is not reports an access error.
    return settings.status() == QSettings::NoError ? int(QSettings::AccessError)
                                                   : int(settings.status());
}

StoreStatus setFailure(const RegistryKey &key, const QString &name)
{
    //: %1: the settings key and value that could not be written.
    return {QCoreApplication::translate("RegistryStore", "%1レジストリのセットに失敗しました。")
                .arg(key.path() + QLatin1Char('\\') + name)};
}

QString createFailure(const RegistryKey &key, int code)
{
    //: %1: the error code, %2: the settings key that could not be made.
    return QCoreApplication::translate("RegistryStore", "%1 %2レジストリの作成に失敗しました。")
        .arg(QString::number(code), key.path());
}

// The file's new name, or empty when it could not be renamed. Two moves within a second
// keep both files.
QString moveAside(const QString &file)
{
    const QString stem = file + QLatin1Char('.')
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n <= 100; ++n) {
        const QString aside = n == 1 ? stem : stem + QLatin1Char('-') + QString::number(n);
        if (!QFile::exists(aside))
            return QFile::rename(file, aside) ? aside : QString();
    }
    return {};
}

QVariant storedForm(const StoreValue &v)
{
    return std::visit([](const auto &x) { return QVariant::fromValue(x); }, v.value);
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
using KeyValues = std::map<QString, QString>;

KeyValues readBack(const QSettings &settings)
{
    KeyValues all;
    for (const QString &name : settings.allKeys())
        all[name] = settings.value(name).toString();
    return all;
}

bool renameOver(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), error);
    return !error;
}

// QSettings puts its new file in the old one's place even when writing it came up short, as
// on a full disk, leaving the store cut. So the values go into a copy of the store, which
// takes the store's place only once it reads back with every value.
bool replaceStoreFile(const QString &file, const QString &group, const std::vector<StoreValue> &values)
{
    QLockFile lock(file + QStringLiteral(".lock")); // the one QSettings takes for the file
    if (!lock.lock())
        return false;
    QFile current(file);
    QByteArray old;
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly))
            return false;
        old = current.readAll();
    }
    QTemporaryFile draft(file + QStringLiteral(".XXXXXX"));
    if (!draft.open() || draft.write(old) != old.size() || !draft.flush())
        return false;
    draft.close();
    KeyValues meant;
    {
        QSettings writer(draft.fileName(), QSettings::IniFormat);
        writer.beginGroup(group);
        for (const StoreValue &v : values)
            writer.setValue(v.name, storedForm(v));
        writer.endGroup();
        writer.sync();
        if (writer.status() != QSettings::NoError)
            return false;
        meant = readBack(writer);
    }
    // Read back under a name QSettings has not seen, since it keeps what it parsed of a file.
    QTemporaryFile checked(file + QStringLiteral(".XXXXXX"));
    if (!checked.open())
        return false;
    checked.close();
    if (!renameOver(draft.fileName(), checked.fileName()))
        return false;
    {
        const QSettings reader(checked.fileName(), QSettings::IniFormat);
        if (reader.status() != QSettings::NoError || readBack(reader) != meant)
            return false;
    }
    if (current.exists())
        checked.setPermissions(current.permissions());
    return renameOver(checked.fileName(), file);
}
#endif

} // namespace

QString RegistryKey::path() const
{
    return QStringLiteral("Software\\") + organization + QLatin1Char('\\') + application
           + QLatin1Char('\\') + QString(group).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

RegistryKey viewerKey()
{
    return {QStringLiteral("QelSoft"), QStringLiteral("QelViewer"), QStringLiteral("Env")};
}

RegistryKey trainerKey()
{
    return {QStringLiteral("QelSoft"), QStringLiteral("Qel"), QStringLiteral("Env")};
}

KeyOpening createKey(const RegistryKey &key)
{
    QString setAside;
    {
        const QSettings broken(QSettings::NativeFormat, QSettings::UserScope, key.organization,
                               key.application);
        if (broken.status() == QSettings::FormatError) {
            setAside = moveAside(broken.fileName());
            if (setAside.isEmpty())
                return {KeyDisposition::Failed, createFailure(key, QSettings::FormatError), {}};
        }
    }
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, key.organization,
                       key.application);
    if (!settings.isWritable() || settings.status() != QSettings::NoError)
        return {KeyDisposition::Failed, createFailure(key, failureCode(settings)), {}};
    // A settings file cannot hold an empty group, so a key without values counts as new;
    // its values are written at once anyway.
    if (settings.childGroups().contains(key.group))
        return {KeyDisposition::Existed, {}, setAside};
    return {KeyDisposition::Created, {}, setAside};
}

std::optional<std::int32_t> queryLong(const RegistryKey &key, const QString &name)
{
    OpenKey open(key);
    if (!open.settings.contains(name))
        return std::nullopt;
    bool ok = false;
    const qlonglong value = open.settings.value(name).toLongLong(&ok);
    // Four bytes as they lie: a DWORD above the signed range reads as its negative twin.
    if (!ok || value < std::numeric_limits<std::int32_t>::min()
        || value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return std::int32_t(std::uint32_t(value));
}

std::int32_t queryLongOr(const RegistryKey &key, const QString &name, std::int32_t fallback)
{
    return queryLong(key, name).value_or(fallback);
}

std::optional<QString> queryString(const RegistryKey &key, const QString &name)
{
    OpenKey open(key);
    if (!open.settings.contains(name))
        return std::nullopt;
    const QVariant value = open.settings.value(name);
    if (!value.canConvert<QString>())
        return std::nullopt;
    QString text = value.toString();
    const auto nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QString queryStringOr(const RegistryKey &key, const QString &name, const QString &fallback)
{
    return queryString(key, name).value_or(fallback);
}

StoreStatus setLong(const RegistryKey &key, const QString &name, std::int32_t value)
{
    return setValues(key, {{name, value}});
}

StoreStatus setString(const RegistryKey &key, const QString &name, const QString &text)
{
    return setValues(key, {{name, text}});
}

StoreStatus setValues(const RegistryKey &key, const std::vector<StoreValue> &values)
{
    if (values.empty())
        return {};
    // The message names the first value: in a settings file, none of them was written.
    const StoreStatus failed = setFailure(key, values.front().name);
    OpenKey open(key);
    if (!open.settings.isWritable() || open.settings.status() != QSettings::NoError)
        return failed;
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    // The system's store takes each value as it is set; it has no save of them all at once.
    for (const StoreValue &v : values)
        open.settings.setValue(v.name, storedForm(v));
    open.settings.sync();
    return open.settings.status() == QSettings::NoError ? StoreStatus{} : failed;
#else
    return replaceStoreFile(open.settings.fileName(), key.group, values) ? StoreStatus{} : failed;
#endif
}

} // namespace qel
