#pragma once
// The per-user key-value store: on Windows the registry under HKEY_CURRENT_USER\Software,
// elsewhere Qt's native settings files. Each operation opens the key, does one thing and
// lets it go again.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace qel {

struct RegistryKey {
    QString organization; // "QelSoft"
    QString application;  // "QelViewer" or "Qel"
    QString group;        // "Env"
    // "Software\<organization>\<application>\<group>", as the messages name it.
    QString path() const;
};

// The viewer's own key and the trainer's (read only).
RegistryKey viewerKey();
RegistryKey trainerKey();

// What happens after a store failure has been reported: the program ends. Tests replace it;
// an empty function restores the default.
using EndingHandler = std::function<void()>;
void setEndingHandler(EndingHandler handler);

enum class KeyDisposition { Failed = 0, Created = 1, Existed = 2 };

// Creates the key or finds it. On failure reports the error code and the key path and ends.
KeyDisposition createKey(const RegistryKey &key);

// A 32-bit integer value; nothing when the key or the value is missing or not a number.
std::optional<std::int32_t> queryLong(const RegistryKey &key, const QString &name);
std::int32_t queryLongOr(const RegistryKey &key, const QString &name, std::int32_t fallback);

// A text value, cut at its first NUL; nothing when the key or the value is missing.
std::optional<QString> queryString(const RegistryKey &key, const QString &name);
QString queryStringOr(const RegistryKey &key, const QString &name, const QString &fallback);

// Write one value. On failure report the key path and value name and end; false then.
bool setLong(const RegistryKey &key, const QString &name, std::int32_t value);
bool setString(const RegistryKey &key, const QString &name, const QString &text);

} // namespace qel
