// The settings store and the viewer settings read and written through it.

#include "config/registrystore.h"
#include "config/viewersettings.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/privatesettings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settings.dir.isValid());
    }

    qeltest::PrivateSettings settings;
    const qel::WindowTwips design{1000, 2000, 9000, 14400};
};

TEST_F(SettingsTest, KeyPathsAsTheMessagesNameThem)
{
    EXPECT_EQ(qel::viewerKey().path(), QString("Software\\QelSoft\\QelViewer\\Env"));
    EXPECT_EQ(qel::trainerKey().path(), QString("Software\\QelSoft\\Qel\\Env"));
}

TEST_F(SettingsTest, FirstStartWritesDefaultsAndPlacesTheWindow)
{
    settings.setRecDir("/srv/records/");
    const auto s = qel::loadViewerSettings(design, "/opt/qelviewer");
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->firstStart);
    EXPECT_EQ(s->window, (qel::WindowTwips{200, 200, 9000, 14400}));
    EXPECT_EQ(s->recordFolder, QString("/srv/records"));
    EXPECT_EQ(settings.viewerValue("ViewerTop").toInt(), 100);
    EXPECT_EQ(settings.viewerValue("ViewerLeft").toInt(), 100);
    EXPECT_EQ(settings.viewerValue("ViewerHeight").toInt(), 9000);
    EXPECT_EQ(settings.viewerValue("ViewerWidth").toInt(), 14400);
    EXPECT_TRUE(settings.viewerValue("RecentFolder").isValid());
    EXPECT_EQ(settings.viewerValue("RecentFolder").toString(), QString());
    EXPECT_EQ(qel::createKey(qel::viewerKey()).disposition, qel::KeyDisposition::Existed);
}

TEST_F(SettingsTest, LaterStartRestoresEachValueOrKeepsTheCurrentOne)
{
    settings.setViewerValue("ViewerTop", 1500);
    settings.setViewerValue("ViewerWidth", 9000);
    settings.setViewerValue("ViewerHeight", "not a number");
    settings.setViewerValue("RecentFolder", "/home/t/recs/");
    settings.setRecDir("/ignored");
    const auto s = qel::loadViewerSettings(design, "/opt/qelviewer");
    ASSERT_TRUE(s);
    EXPECT_FALSE(s->firstStart);
    EXPECT_EQ(s->window, (qel::WindowTwips{1500, 2000, 9000, 9000}));
    EXPECT_EQ(s->recordFolder, QString("/home/t/recs/")); // remembered: unchanged
    EXPECT_TRUE(s->autoRefresh); // never stored: on
    EXPECT_TRUE(s.notice.isEmpty());
}

struct FallbackCase {
    const char *recDir; // nullptr: not set
    const char *expected;
};

class RecDirTest : public SettingsTest, public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(RecDirTest, EmptyRecentFolderFallsBack)
{
    settings.setViewerValue("ViewerTop", 1500);
    settings.setViewerValue("RecentFolder", "");
    if (GetParam().recDir)
        settings.setRecDir(QString::fromUtf8(GetParam().recDir));
    const auto s = qel::loadViewerSettings(design, "/opt/qelviewer");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->recordFolder, QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Folders, RecDirTest,
                         ::testing::Values(FallbackCase{"C:\\Data\\", "C:\\Data"},
                                           FallbackCase{"C:\\Data\\\\", "C:\\Data\\"},
                                           FallbackCase{"C:\\Data", "C:\\Data"},
                                           FallbackCase{"/srv/recs/", "/srv/recs"},
                                           FallbackCase{"/srv/recs//", "/srv/recs/"},
                                           FallbackCase{"C:\\", "C:\\"},
                                           FallbackCase{"/", "/"},
                                           FallbackCase{nullptr, "/opt/qelviewer"}));

TEST_F(SettingsTest, SaveWritesEveryValue)
{
    ASSERT_TRUE(qel::saveViewerSettings({1, 2, 7000, 8000}, "/x/y", false, QString(), {}));
    EXPECT_EQ(settings.viewerValue("ViewerTop").toInt(), 1);
    EXPECT_EQ(settings.viewerValue("ViewerLeft").toInt(), 2);
    EXPECT_EQ(settings.viewerValue("ViewerHeight").toInt(), 7000);
    EXPECT_EQ(settings.viewerValue("ViewerWidth").toInt(), 8000);
    EXPECT_EQ(settings.viewerValue("RecentFolder").toString(), QString("/x/y"));
    EXPECT_EQ(settings.viewerValue("AutoRefresh").toInt(), 0);
    const auto s = qel::loadViewerSettings(design, "/opt");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->window, (qel::WindowTwips{1, 2, 7000, 8000}));
    EXPECT_FALSE(s->autoRefresh);
    EXPECT_FALSE(settings.viewerValue("CsvFolder").isValid());
    ASSERT_TRUE(qel::saveViewerSettings({1, 2, 7000, 8000}, "/x/y", true, "/x/exports", {}));
    EXPECT_TRUE(qel::loadViewerSettings(design, "/opt")->autoRefresh);
    EXPECT_EQ(qel::loadViewerSettings(design, "/opt")->csvFolder, QString("/x/exports"));
    // No export this time: the folder of the last one stays.
    ASSERT_TRUE(qel::saveViewerSettings({1, 2, 7000, 8000}, "/x/y", true, QString(), {}));
    EXPECT_EQ(qel::loadViewerSettings(design, "/opt")->csvFolder, QString("/x/exports"));
}

// The splitter and the list's order: as saved, or the design's where the store has none or
// holds no number.
TEST_F(SettingsTest, PanesComeBackAsSaved)
{
    settings.setViewerValue("SortDirection", "up");
    EXPECT_EQ(qel::loadViewerSettings(design, "/opt")->panes, qel::PanePlace{});
    const qel::PanePlace left{3300, 5, 1};
    ASSERT_TRUE(qel::saveViewerSettings({1, 2, 7000, 8000}, "/x/y", true, QString(), left));
    EXPECT_EQ(qel::loadViewerSettings(design, "/opt")->panes, left);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// The stores set aside under their name and the time, oldest first.
QStringList setAside(const QDir &folder)
{
    return folder.entryList({"QelViewer.conf.*"}, QDir::Files, QDir::Name)
        .filter(QRegularExpression(R"(^QelViewer\.conf\.\d{8}-\d{6}(-\d+)?$)"));
}

// Stores cut short, found by one start after another (within a second: both are kept).
class CutStoreTest : public SettingsTest, public ::testing::WithParamInterface<std::vector<const char *>> {};

TEST_P(CutStoreTest, IsSetAsideAndTheStartGoesOnFromTheDefaults)
{
    settings.setRecDir("/srv/records");
    const QDir folder(settings.dir.filePath("QelSoft"));
    ASSERT_TRUE(folder.mkpath("."));
    for (std::size_t i = 0; i < GetParam().size(); ++i) {
        const QByteArray cut(GetParam()[i]);
        QFile store(folder.filePath("QelViewer.conf"));
        ASSERT_TRUE(store.open(QIODevice::WriteOnly) && store.write(cut) == cut.size());
        store.close();
        const auto loaded = qel::loadViewerSettings(design, "/opt");
        ASSERT_TRUE(loaded) << loaded.failure.toStdString();
        EXPECT_TRUE(loaded->firstStart);
        EXPECT_EQ(loaded->window, (qel::WindowTwips{200, 200, 9000, 14400}));
        EXPECT_EQ(loaded->recordFolder, QString("/srv/records"));
        const QStringList aside = setAside(folder);
        ASSERT_EQ(std::size_t(aside.size()), i + 1);
        const QDateTime stamp = QDateTime::fromString(aside.last().mid(15, 15), "yyyyMMdd-HHmmss");
        EXPECT_LT(qAbs(stamp.secsTo(QDateTime::currentDateTime())), 60) << aside.last().toStdString();
        EXPECT_EQ(contents(folder.filePath(aside.last())), cut);
        EXPECT_EQ(loaded.notice, "設定ファイルを読み込めなかったため、初期設定で起動します。\n"
                                 "元のファイルは次の名前で残しました。\n"
                                     + QDir::toNativeSeparators(folder.filePath(aside.last())));
    }
    // Said once: the next start finds the defaults written.
    const auto again = qel::loadViewerSettings(design, "/opt");
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->firstStart);
    EXPECT_TRUE(again.notice.isEmpty());
    EXPECT_EQ(setAside(folder).size(), GetParam().size());
}

INSTANTIATE_TEST_SUITE_P(Stores, CutStoreTest,
                         ::testing::Values(std::vector<const char *>{"[Env]\nViewerTop=1500\nRecentFolder=/t\n[En"},
                                           std::vector<const char *>{"[En", "[Env]\r\nViewerTop=1500\r\n["}));

// The close's values go in one save: a save that fails leaves the store as it was, not new
// Top and Left beside the old size and folder.
TEST_F(SettingsTest, SaveThatFailsLeavesTheOldStoreWhole)
{
    ASSERT_TRUE(qel::saveViewerSettings({1500, 3000, 7500, 9000}, "/home/t/records", true, "/home/t/csv", {}));
    const QString store = settings.dir.filePath("QelSoft/QelViewer.conf");
    const QByteArray old = contents(store);
    qel::StoreStatus saved;
    {
        // The new file would pass the limit only with its last, long value.
        qeltest::FileSizeLimit full(old.size() + 8);
        ASSERT_TRUE(full.active());
        saved = qel::saveViewerSettings({1600, 3100, 7600, 9100}, "/home/t/" + QString(200, 'r'), false,
                                        "/home/t/csv", {});
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.failure, QString("Software\\QelSoft\\QelViewer\\Env\\ViewerTopレジストリのセットに失敗しました。"));
    EXPECT_EQ(contents(store), old);
    EXPECT_EQ(settings.viewerValue("ViewerTop").toInt(), 1500);
    EXPECT_EQ(settings.viewerValue("RecentFolder").toString(), QString("/home/t/records"));
    // Nothing half-written is left beside it.
    EXPECT_EQ(QDir(settings.dir.filePath("QelSoft")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"QelViewer.conf"});
}

TEST_F(SettingsTest, QueriesReportMissingValuesAndKeepFourBytes)
{
    const auto key = qel::viewerKey();
    EXPECT_FALSE(qel::queryLong(key, "Nothing"));
    EXPECT_EQ(qel::queryLongOr(key, "Nothing", 42), 42);
    EXPECT_FALSE(qel::queryString(key, "Nothing"));
    EXPECT_EQ(qel::queryStringOr(key, "Nothing", "x"), QString("x"));
    EXPECT_FALSE(qel::queryLong(qel::RegistryKey{"QelSoft", "NoSuchApp", "Env"}, "ViewerTop"));

    ASSERT_TRUE(qel::setLong(key, "A", -5));
    EXPECT_EQ(qel::queryLong(key, "A"), -5);
    settings.setViewerValue("B", qlonglong(4294967295LL)); // a DWORD of all ones reads as -1
    EXPECT_EQ(qel::queryLong(key, "B"), -1);
    settings.setViewerValue("C", qlonglong(1) << 40); // no longer four bytes
    EXPECT_FALSE(qel::queryLong(key, "C"));
    ASSERT_TRUE(qel::setString(key, "S", QString("abc") + QChar(0) + "def"));
    EXPECT_EQ(qel::queryString(key, "S"), QString("abc"));
    ASSERT_TRUE(qel::setString(key, "J", "日本語のフォルダ"));
    EXPECT_EQ(qel::queryString(key, "J"), QString("日本語のフォルダ"));
}

class BlockedStoreTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        // The store's folder is taken by a plain file, so nothing can be written.
        QFile file(settings.dir.filePath("blocked"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.dir.filePath("blocked/inside"));
    }
};

TEST_F(BlockedStoreTest, CreateFailureComesBackWithItsMessage)
{
    const QString message("1 Software\\QelSoft\\QelViewer\\Envレジストリの作成に失敗しました。");
    const qel::KeyOpening opening = qel::createKey(qel::viewerKey());
    EXPECT_EQ(opening.disposition, qel::KeyDisposition::Failed);
    EXPECT_EQ(opening.failure, message);
    const auto loaded = qel::loadViewerSettings(design, "/opt");
    EXPECT_FALSE(loaded);
    EXPECT_EQ(loaded.failure, message);
}

TEST_F(BlockedStoreTest, SetFailureNamesTheValue)
{
    const QString top("Software\\QelSoft\\QelViewer\\Env\\ViewerTopレジストリのセットに失敗しました。");
    const qel::StoreStatus set = qel::setLong(qel::viewerKey(), "ViewerTop", 1);
    EXPECT_FALSE(set);
    EXPECT_EQ(set.failure, top);
    // The one save names its first value.
    const qel::StoreStatus saved = qel::saveViewerSettings({1, 2, 3, 4}, "/x", true, "/csv", {});
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.failure, top);
    const qel::StoreStatus text = qel::setString(qel::viewerKey(), "RecentFolder", "/x");
    EXPECT_FALSE(text);
    EXPECT_EQ(text.failure, QString("Software\\QelSoft\\QelViewer\\Env\\RecentFolderレジストリのセットに失敗しました。"));
}

} // namespace
