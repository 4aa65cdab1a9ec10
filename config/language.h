#pragma once
// The language the viewer and qelviewer-cli speak: Japanese, the default, or English.
//
// It is chosen at start: QEL_LANGUAGE (ja or en) when set, for tests and scripts; else the
// user's choice in the viewer's store ("Language"); else the system's locale, where a
// Japanese locale speaks Japanese, an English one English, and any other Japanese.
// installLanguage puts it into effect on the running application at any time.

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace qel {

enum class Language { Japanese, English };

struct OfferedLanguage {
    Language language;
    QString code; // "ja", "en": the stored choice, QEL_LANGUAGE, the translation files' suffix
    QString name; // in its own language, the same in every language: "日本語", "English"
};

// The languages offered, Japanese first.
const std::array<OfferedLanguage, 2> &offeredLanguages();
QString languageCode(Language language);
// The language of a code, case ignored; nothing for any other text.
std::optional<Language> languageOfCode(const QString &code);
// Japanese for a Japanese locale, English for an English one, Japanese for any other
// ("C" and POSIX included).
Language languageOfLocale(const QLocale &locale);

// The environment variable that overrides the stored choice and the locale.
inline constexpr char kLanguageVariable[] = "QEL_LANGUAGE";

// The language to speak: the variable's value when it names one, else the stored choice,
// else the locale's language.
Language chooseLanguage(const QString &variable, std::optional<Language> stored, const QLocale &locale);
// The same for this process: QEL_LANGUAGE, the viewer's store, the system's locale.
Language startLanguage();

// Installs, on the running application, the translators of the program's own texts (every
// ":/i18n/*_<code>.qm" it holds) and of Qt's (qtbase_<code> from Qt's translations folder,
// where installed), removing those it installed before; every widget gets a LanguageChange.
// Call on the application's thread. False without an application.
bool installLanguage(Language language);
// The language installed last; Japanese before any.
Language installedLanguage();

} // namespace qel
