#include "config/registrystore.h"

#include <QSettings>
#include <QVariant>
#include <limits>

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
    return {key.path() + QLatin1Char('\\') + name + QStringLiteral("レジストリのセットに失敗しました。")};
}

StoreStatus writeValue(const RegistryKey &key, const QString &name, const QVariant &value)
{
    OpenKey open(key);
    if (!open.settings.isWritable())
        return setFailure(key, name);
    open.settings.setValue(name, value);
    open.settings.sync();
    if (open.settings.status() != QSettings::NoError)
        return setFailure(key, name);
    return {};
}

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
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, key.organization,
                       key.application);
    if (!settings.isWritable() || settings.status() != QSettings::NoError)
        return {KeyDisposition::Failed,
                QString::number(failureCode(settings)) + QLatin1Char(' ') + key.path()
                    + QStringLiteral("レジストリの作成に失敗しました。")};
    // A settings file cannot hold an empty group, so a key without values counts as new;
    // its values are written at once anyway.
    if (settings.childGroups().contains(key.group))
        return {KeyDisposition::Existed, {}};
    return {KeyDisposition::Created, {}};
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
    return writeValue(key, name, QVariant::fromValue<int>(value));
}

StoreStatus setString(const RegistryKey &key, const QString &name, const QString &text)
{
    return writeValue(key, name, text);
}

} // namespace qel
