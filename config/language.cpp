#include "config/language.h"

#include "config/viewersettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>
#include <vector>

namespace qel {

namespace {

std::vector<std::unique_ptr<QTranslator>> &installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

Language &current()
{
    static Language language = Language::Japanese;
    return language;
}

} // namespace

const std::array<OfferedLanguage, 2> &offeredLanguages()
{
    static const std::array<OfferedLanguage, 2> languages{{
        {Language::Japanese, QStringLiteral("ja"), QStringLiteral("日本語")},
        {Language::English, QStringLiteral("en"), QStringLiteral("English")},
    }};
    return languages;
}

QString languageCode(Language language)
{
    for (const OfferedLanguage &offered : offeredLanguages())
        if (offered.language == language)
            return offered.code;
    return QString();
}

std::optional<Language> languageOfCode(const QString &code)
{
    for (const OfferedLanguage &offered : offeredLanguages())
        if (code.compare(offered.code, Qt::CaseInsensitive) == 0)
            return offered.language;
    return std::nullopt;
}

Language languageOfLocale(const QLocale &locale)
{
    return locale.language() == QLocale::English ? Language::English : Language::Japanese;
}

Language chooseLanguage(const QString &variable, std::optional<Language> stored, const QLocale &locale)
{
    if (const auto chosen = languageOfCode(variable.trimmed()))
        return *chosen;
    if (stored)
        return *stored;
    return languageOfLocale(locale);
}

Language startLanguage()
{
    return chooseLanguage(qEnvironmentVariable(kLanguageVariable), storedLanguage(), QLocale::system());
}

bool installLanguage(Language language)
{
    if (!QCoreApplication::instance())
        return false;
    auto &translators = installed();
    for (const auto &translator : translators)
        QCoreApplication::removeTranslator(translator.get());
    translators.clear();

    const QString code = languageCode(language);
    const QDir ours(QStringLiteral(":/i18n"));
    QStringList files = ours.entryList({QStringLiteral("*_") + code + QStringLiteral(".qm")}, QDir::Files);
    QStringList paths;
    for (const QString &file : files)
        paths << ours.filePath(file);
    // Qt's own dialogs and messages; a system without Qt's translations keeps Qt's English.
    paths << QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                 .filePath(QStringLiteral("qtbase_") + code + QStringLiteral(".qm"));
    for (const QString &path : paths) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(path) && QCoreApplication::installTranslator(translator.get()))
            translators.push_back(std::move(translator));
    }
    current() = language;
    return true;
}

Language installedLanguage()
{
    return current();
}

} // namespace qel
