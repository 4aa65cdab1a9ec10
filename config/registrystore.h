#pragma once
// The per-user key-value store: on Windows the registry under HKEY_CURRENT_USER\Software,
// elsewhere Qt's native settings files. Each operation opens the key, does one thing and
// lets it go again.

#include <QString>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

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

// The outcome of a write: empty when it worked, else the message the user is to be shown
// before the program ends. The store itself shows nothing and ends nothing.
struct StoreStatus {
    QString failure;
    explicit operator bool() const { return failure.isEmpty(); }
};

enum class KeyDisposition { Failed = 0, Created = 1, Existed = 2 };

struct KeyOpening {
    KeyDisposition disposition = KeyDisposition::Failed;
    QString failure; // the message, when Failed: error code and key path
    // Where a store that could not be parsed went before the key was made anew; else empty.
    QString setAside;
};

// Creates the key or finds it. A settings file that cannot be parsed (cut short, say) would
// fail every start: it is renamed to its name and the time, and the key made anew.
KeyOpening createKey(const RegistryKey &key);

// A 32-bit integer value; nothing when the key or the value is missing or not a number.
std::optional<std::int32_t> queryLong(const RegistryKey &key, const QString &name);
std::int32_t queryLongOr(const RegistryKey &key, const QString &name, std::int32_t fallback);

// A text value, cut at its first NUL; nothing when the key or the value is missing.
std::optional<QString> queryString(const RegistryKey &key, const QString &name);
QString queryStringOr(const RegistryKey &key, const QString &name, const QString &fallback);

// Write one value. A failure's message names the key path and the value.
StoreStatus setLong(const RegistryKey &key, const QString &name, std::int32_t value);
StoreStatus setString(const RegistryKey &key, const QString &name, const QString &text);

struct StoreValue {
    QString name;
    std::variant<std::int32_t, QString> value;
};

// Writes the values in one save: a settings file gets all of them or keeps what it had (the
// registry has no such save and may keep some). A failure's message names the first value.
StoreStatus setValues(const RegistryKey &key, const std::vector<StoreValue> &values);

} // namespace qel
