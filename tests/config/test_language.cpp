// The language spoken: chosen from the variable, the stored choice and the locale, stored with
// the close's save, and put into effect on a running application.

#include "config/language.h"
#include "config/viewersettings.h"
#include "records/learnersummary.h"
#include "records/learnertable.h"
#include "tests/support/privatesettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <gtest/gtest.h>

using qel::Language;

namespace {

TEST(Language, OfALocale)
{
    const struct {
        const char *locale;
        Language language;
    } cases[] = {
        {"ja_JP", Language::Japanese}, {"ja", Language::Japanese},   {"en_US", Language::English},
        {"en_GB", Language::English},  {"en_AU", Language::English}, {"C", Language::Japanese},
        {"de_DE", Language::Japanese}, {"fr_FR", Language::Japanese}, {"zh_CN", Language::Japanese},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qel::languageOfLocale(QLocale(QString::fromLatin1(c.locale))), c.language) << c.locale;
    EXPECT_EQ(qel::languageOfLocale(QLocale::c()), Language::Japanese);
}

TEST(Language, CodesOfTheLanguagesOffered)
{
    ASSERT_EQ(qel::offeredLanguages().size(), 2u);
    EXPECT_EQ(qel::offeredLanguages()[0].language, Language::Japanese);
    EXPECT_EQ(qel::offeredLanguages()[0].name, QString("日本語"));
    EXPECT_EQ(qel::offeredLanguages()[1].name, QString("English"));
    for (const auto &offered : qel::offeredLanguages()) {
        EXPECT_EQ(qel::languageCode(offered.language), offered.code);
        EXPECT_EQ(qel::languageOfCode(offered.code), offered.language);
        EXPECT_EQ(qel::languageOfCode(offered.code.toUpper()), offered.language);
    }
    for (const char *other : {"", "de", "english", "ja_JP", "e"})
        EXPECT_EQ(qel::languageOfCode(QString::fromLatin1(other)), std::nullopt) << other;
}

TEST(Language, VariableThenStoredChoiceThenLocale)
{
    const QLocale english("en_US"), japanese("ja_JP"), posix = QLocale::c();
    const struct {
        const char *variable;
        std::optional<Language> stored;
        QLocale locale;
        Language chosen;
    } cases[] = {
        {"en", Language::Japanese, japanese, Language::English},
        {" ja\n", Language::English, english, Language::Japanese},
        {"", Language::English, japanese, Language::English},
        {"fr", Language::English, japanese, Language::English}, // no language: as if unset
        {"", Language::Japanese, english, Language::Japanese},
        {"", std::nullopt, english, Language::English},
        {"", std::nullopt, posix, Language::Japanese},
        {"xx", std::nullopt, japanese, Language::Japanese},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qel::chooseLanguage(QString::fromLatin1(c.variable), c.stored, c.locale), c.chosen)
            << c.variable << " / " << c.locale.name().toStdString();
}

TEST(Language, StoredWithTheClosesSaveAndKeptWhenNoneIsGiven)
{
    qeltest::PrivateSettings settings;
    const qel::WindowTwips window{1, 2, 7000, 8000};
    const qel::WindowTwips design{1000, 2000, 9000, 14400};
    ASSERT_TRUE(qel::loadViewerSettings(design, "/opt"));
    EXPECT_EQ(qel::loadViewerSettings(design, "/opt")->language, std::nullopt);
    EXPECT_EQ(qel::storedLanguage(), std::nullopt);

    ASSERT_TRUE(qel::saveViewerSettings(window, "/x", true, QString(), {}, Language::English));
    EXPECT_EQ(settings.viewerValue("Language").toString(), QString("en"));
    EXPECT_EQ(qel::loadViewerSettings(design, "/opt")->language, Language::English);
    EXPECT_EQ(qel::storedLanguage(), Language::English);

    // A close that offers no choice leaves the stored one; the other values go as before.
    ASSERT_TRUE(qel::saveViewerSettings(window, "/y", false, QString(), {}));
    EXPECT_EQ(qel::storedLanguage(), Language::English);
    EXPECT_EQ(settings.viewerValue("RecentFolder").toString(), QString("/y"));

    ASSERT_TRUE(qel::saveViewerSettings(window, "/y", false, QString(), {}, Language::Japanese));
    EXPECT_EQ(settings.viewerValue("Language").toString(), QString("ja"));
    EXPECT_EQ(qel::loadViewerSettings(design, "/opt")->language, Language::Japanese);

    // A value written by hand that names no language offered counts as no choice.
    settings.setViewerValue("Language", "klingon");
    EXPECT_EQ(qel::storedLanguage(), std::nullopt);
    EXPECT_EQ(qel::loadViewerSettings(design, "/opt")->language, std::nullopt);
}

// Counts the LanguageChange events the application gets.
class LanguageChanges : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange)
            ++count;
        return false;
    }
};

TEST(Language, SwitchesTheTextsOfARunningApplicationAndBack)
{
    EXPECT_FALSE(qel::installLanguage(Language::English)); // no application yet
    int argc = 1;
    char name[] = "test_config";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    LanguageChanges changes;
    app.installEventFilter(&changes);
    const auto qtCancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };

    ASSERT_TRUE(qel::installLanguage(Language::English));
    EXPECT_EQ(qel::installedLanguage(), Language::English);
    EXPECT_GT(changes.count, 0);
    EXPECT_EQ(qel::groupName(qel::AllGroup), QString("All learners"));
    EXPECT_EQ(qel::fileCountText(1), QString("1 record file"));
    EXPECT_EQ(qel::fileCountText(12), QString("12 record files"));
    EXPECT_EQ(qel::courseListText(qel::Kana), QString("Kana/Romaji"));
    // The CSV's words stay Japanese.
    EXPECT_EQ(qel::courseListText(qel::Kana, qel::Wording::Japanese), QString("かな/ﾛｰﾏ"));
    EXPECT_EQ(qtCancel(), QString("Cancel"));

    const int before = changes.count;
    ASSERT_TRUE(qel::installLanguage(Language::Japanese));
    EXPECT_EQ(qel::installedLanguage(), Language::Japanese);
    EXPECT_GT(changes.count, before);
    EXPECT_EQ(qel::groupName(qel::AllGroup), QString("全体"));
    EXPECT_EQ(qel::fileCountText(12), QString("12個の成績データファイル"));
    EXPECT_EQ(qel::courseListText(qel::Kana), QString("かな/ﾛｰﾏ"));
    // Qt's own texts come in Japanese too (qt6-translations-l10n).
    ASSERT_TRUE(QFile::exists(QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath("qtbase_ja.qm")));
    EXPECT_EQ(qtCancel(), QString("キャンセル"));

    // Switching again replaces what was installed: nothing of the Japanese stays.
    ASSERT_TRUE(qel::installLanguage(Language::English));
    EXPECT_EQ(qtCancel(), QString("Cancel"));
    EXPECT_EQ(qel::groupName(qel::KanaGroup), QString("Kana/Romaji"));
    ASSERT_TRUE(qel::installLanguage(Language::Japanese));
    EXPECT_EQ(qel::groupName(qel::KanaGroup), QString("かな/ローマ"));
}

} // namespace
