// Targets and learner numbers kept per record folder.

#include "config/classsettings.h"
#include "tests/support/privatesettings.h"
#include "tests/support/testprint.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

class ClassSettingsTest : public ::testing::Test {
protected:
    qeltest::PrivateSettings settings;
};

} // namespace

TEST_F(ClassSettingsTest, OneKeyPerFolderHoweverItIsWritten)
{
    const QString key = qel::folderKey("/srv/class/records").path();
    EXPECT_TRUE(key.startsWith("Software\\QelSoft\\QelViewer\\Folders\\")) << key.toStdString();
    for (const char *same : {"/srv/class/records/", "/srv/class/./records", "/srv/other/../class/records"})
        EXPECT_EQ(qel::folderKey(same).path(), key) << same;
    EXPECT_NE(qel::folderKey("/srv/class/records2").path(), key);
}

TEST_F(ClassSettingsTest, TargetsRoundTripPerFolder)
{
    const qel::ClassTargets defaults;
    EXPECT_EQ(qel::loadTargets("/a"), defaults);
    qel::ClassTargets mine;
    mine.english = {120, 35, 90, 3};
    mine.kana = {60, 80, 0, 14};
    ASSERT_TRUE(qel::saveTargets("/a", mine));
    EXPECT_EQ(qel::loadTargets("/a/"), mine);
    EXPECT_EQ(qel::loadTargets("/b"), defaults); // another folder keeps its own
}

TEST_F(ClassSettingsTest, StoredValuesOutOfRangeReadAsDefaults)
{
    qel::ClassTargets mine;
    mine.english = {120, 35, 90, 3};
    ASSERT_TRUE(qel::saveTargets("/a", mine));
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "QelSoft", "QelViewer");
        raw.beginGroup(qel::folderKey("/a").group);
        raw.setValue("EnglishSpm", 0);          // below the range
        raw.setValue("EnglishIdleDays", "many"); // not a number
        raw.setValue("KanaMistype", 5000);      // above
    }
    const qel::ClassTargets loaded = qel::loadTargets("/a");
    const qel::ClassTargets defaults;
    EXPECT_EQ(loaded.english.spm, defaults.english.spm);
    EXPECT_EQ(loaded.english.idleDays, defaults.english.idleDays);
    EXPECT_EQ(loaded.kana.mistypeTenths, defaults.kana.mistypeTenths);
    EXPECT_EQ(loaded.english.mistypeTenths, 35); // the rest as stored
    EXPECT_EQ(loaded.english.minutesPerWeek, 90);
}

TEST_F(ClassSettingsTest, NameNumbersKeepAnyName)
{
    const QStringList names{"taro", "Lee, Ann", "100%", "a,b%2C", "山田 花子", "back\\slash", "new\nline"};
    EXPECT_TRUE(qel::loadNameNumbers("/a").isEmpty());
    ASSERT_TRUE(qel::saveNameNumbers("/a", names));
    EXPECT_EQ(qel::loadNameNumbers("/a"), names);
    EXPECT_TRUE(qel::loadNameNumbers("/b").isEmpty());
}
