// Deleted files end up in a trash under their own bytes, never lost, never stray and never
// renamed; what cannot be deleted stays where and as it was, and the caller learns why.

#include "records/filetrash.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/support/rawnames.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/wait.h>

using namespace qel;
using qeltest::cp932;
using qeltest::nativeIn;
using qeltest::rawContents;
using qeltest::rawExists;
using qeltest::writeRawNamed;

namespace {

// 110 kanji: 220 bytes in code page 932, 339 with the suffix in UTF-8, more than a name
// can hold.
QString longName()
{
    return QStringLiteral("日本語練習記録表示学生").repeated(10);
}

class FileTrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        qputenv("HOME", QFile::encodeName(root.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("data")));
        previousDir = QDir::currentPath();
        QDir(root.path()).mkpath("work");
        QDir::setCurrent(root.filePath("work"));
        QDir(root.path()).mkpath("records");
    }
    void TearDown() override
    {
        QDir::setCurrent(previousDir);
        qeltest::removeRawTree(QFile::encodeName(root.path()));
    }

    QString folder() const { return root.filePath("records"); }
    QByteArray trash(const char *part) const { return QFile::encodeName(root.filePath("data/Trash/")) + part; }

    // A record file named by `name`'s bytes; its key.
    QString write(const QByteArray &name, const QByteArray &content = "record")
    {
        EXPECT_TRUE(writeRawNamed(folder(), name, content));
        return fileNameFromBytes(name);
    }
    bool inFolder(const QByteArray &name) const { return rawExists(nativeIn(folder(), name)); }

    QTemporaryDir root;
    QString previousDir;
};

} // namespace

TEST_F(FileTrashTest, FilesGoToTheHomeTrashUnderTheirOwnBytes)
{
    const QByteArray names[] = {
        "taro_Qele.dat",
        QStringLiteral("花子_Qelk.dat").toUtf8(),
        cp932(QStringLiteral("表_Qele.dat")),
        cp932(longName() + QStringLiteral("_Qelk.dat")),
        "a\xFF%b_Qele.dat", // no text at all, and a percent sign
    };
    for (const QByteArray &name : names) {
        const QString key = write(name, name);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const DiscardedFile done = discardFile(recordFolderPath(folder(), key));
        ASSERT_EQ(done.result, DiscardResult::Trashed) << done.error.toStdString();
        EXPECT_FALSE(inFolder(name));
        EXPECT_EQ(fileNameToBytes(done.whereNow), trash("files/") + name);
        EXPECT_EQ(rawContents(trash("files/") + name), name);
        // The info file gives the original place, percent-encoded byte by byte, and the time.
        const QByteArray info = rawContents(trash("info/") + name + ".trashinfo");
        const QByteArray place = (QFile::encodeName(QFileInfo(folder()).canonicalFilePath()) + '/' + name).toPercentEncoding("/");
        ASSERT_TRUE(info.startsWith("[Trash Info]\nPath=" + place + "\nDeletionDate=")) << info.constData();
        const QDateTime when = QDateTime::fromString(QString::fromLatin1(info.mid(info.lastIndexOf('=') + 1).trimmed()),
                                                     Qt::ISODate);
        EXPECT_GE(when, before);
        EXPECT_LE(when, QDateTime::currentDateTime());
    }
    EXPECT_FALSE(QFileInfo::exists(root.filePath("work/files"))); // nothing strayed
}

// The trash never takes a name that is there: neither a claimed info file nor a file
// without one is overwritten.
TEST_F(FileTrashTest, SameNameAgainTakesAnotherPlace)
{
    ASSERT_TRUE(checkTrash(folder()).available);
    ASSERT_TRUE(writeRawNamed(QFile::decodeName(trash("files")), "taro_Qele.dat", "left without info"));
    ASSERT_TRUE(writeRawNamed(QFile::decodeName(trash("info")), "taro_Qele.2.dat.trashinfo", "claimed"));
    QStringList places;
    for (const QByteArray &content : {QByteArray("first"), QByteArray("second")}) {
        const DiscardedFile done = discardFile(recordFolderPath(folder(), write("taro_Qele.dat", content)));
        ASSERT_EQ(done.result, DiscardResult::Trashed) << done.error.toStdString();
        EXPECT_EQ(rawContents(fileNameToBytes(done.whereNow)), content);
        places << QFileInfo(done.whereNow).fileName();
    }
    EXPECT_EQ(places, (QStringList{"taro_Qele.3.dat", "taro_Qele.4.dat"}));
    EXPECT_EQ(rawContents(trash("files/taro_Qele.dat")), "left without info");
    EXPECT_EQ(rawContents(trash("info/taro_Qele.2.dat.trashinfo")), "claimed");
}

// Where no trash can be made the check says so and why; to the trash nothing goes, and
// for good only when asked.
TEST_F(FileTrashTest, WithoutATrashFilesStayUnlessDeletedForGood)
{
    ASSERT_TRUE(samples::writeFile(root.filePath("blocker"), "a file where the data folder would be"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("blocker/data")));
    const TrashCheck check = checkTrash(folder());
    EXPECT_FALSE(check.available);
    EXPECT_TRUE(check.error.contains(qt_error_string(ENOTDIR))) << check.error.toStdString();

    const QByteArray name = cp932(QStringLiteral("表_Qele.dat"));
    const QString key = write(name);
    const LearnerDeletion kept = deleteLearnerRows(folder(), {key}, Deletion::ToTrash);
    EXPECT_TRUE(kept.removedKeys.isEmpty());
    ASSERT_EQ(kept.failures().size(), 1u);
    EXPECT_EQ(kept.failures()[0].error, check.error);
    EXPECT_TRUE(inFolder(name)); // under its own name

    const LearnerDeletion gone = deleteLearnerRows(folder(), {key}, Deletion::ForGood);
    EXPECT_EQ(gone.removedKeys, QStringList{key});
    EXPECT_EQ(gone.files.at(0).result, DiscardResult::Deleted);
    EXPECT_FALSE(inFolder(name));
    EXPECT_FALSE(QFileInfo::exists(root.filePath("work/files")));
}

// Two learners whose names read alike are two learners: each row takes its own file, and
// the settings file that goes is its learner's own.
TEST_F(FileTrashTest, RowsDeleteTheirOwnFilesAndSettings)
{
    const QByteArray utf8 = QStringLiteral("表").toUtf8(), windows = cp932(QStringLiteral("表"));
    for (const QByteArray &learner : {utf8, windows}) {
        write(learner + "_Qele.dat");
        write(learner + ".ini", "[OPTION]");
    }
    write(windows + "_Qelk.dat");
    const QString english = fileNameFromBytes(windows + "_Qele.dat");
    const QString kana = fileNameFromBytes(windows + "_Qelk.dat");
    std::vector<std::pair<int, int>> progress;
    const LearnerDeletion first = deleteLearnerRows(folder(), {english}, Deletion::ToTrash,
                                                    [&](int done, int total) { progress.emplace_back(done, total); });
    EXPECT_EQ(first.removedKeys, QStringList{english});
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));
    EXPECT_TRUE(inFolder(windows + ".ini")); // the Kana/Romaji file is still there

    // The last record file takes the settings file along; a file already gone is no failure.
    const LearnerDeletion second = deleteLearnerRows(folder(), {english, kana}, Deletion::ToTrash);
    EXPECT_EQ(second.removedKeys, (QStringList{english, kana}));
    EXPECT_TRUE(second.failures().empty());
    ASSERT_EQ(second.files.size(), 3u);
    EXPECT_EQ(second.files[0].result, DiscardResult::Missing);
    EXPECT_EQ(fileNameToBytes(second.files[2].path), nativeIn(folder(), windows + ".ini"));
    EXPECT_EQ(rawContents(trash("files/") + windows + ".ini"), "[OPTION]");
    EXPECT_FALSE(inFolder(windows + ".ini"));
    // The learner who only reads alike keeps everything.
    EXPECT_TRUE(inFolder(utf8 + "_Qele.dat"));
    EXPECT_TRUE(inFolder(utf8 + ".ini"));
}

namespace {

// What a deletion did, one line per file: name, result, reason.
QString describe(const LearnerDeletion &deletion)
{
    QStringList lines;
    for (const DiscardedFile &file : deletion.files)
        lines << QStringLiteral("%1 %2 %3").arg(shownFileName(QFileInfo(file.path).fileName())).arg(int(file.result)).arg(file.error);
    lines << QStringLiteral("removed %1").arg(deletion.removedKeys.size());
    return lines.join(QLatin1Char('\n'));
}

// Runs the deletion as a user who may not write `folder`: as root in a child that has
// become nobody (root may write anywhere), else with the folder made read-only.
QString deleteWithoutWriteAccess(const QString &folder, const QStringList &keys, Deletion how)
{
    const QByteArray native = QFile::encodeName(folder);
    if (::geteuid() != 0) {
        ::chmod(native.constData(), 0555);
        const QString done = describe(deleteLearnerRows(folder, keys, how));
        ::chmod(native.constData(), 0755);
        return done;
    }
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const bool nobody = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        const QByteArray done = nobody ? describe(deleteLearnerRows(folder, keys, how)).toUtf8() : "cannot become nobody";
        const bool written = ::write(pipeEnds[1], done.constData(), size_t(done.size())) == done.size();
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    QByteArray done;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        done.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return QString::fromUtf8(done);
}

} // namespace

// A file in a folder the user may not change: the file, and the learner's settings, keep
// their names and places, whichever way it was to go; the reason is the system's.
TEST_F(FileTrashTest, AFileInAReadOnlyFolderStaysAsItIs)
{
    // Anyone may pass through the test's folders and use the trash.
    ::chmod(QFile::encodeName(root.path()).constData(), 0755);
    QDir(root.path()).mkpath("data/Trash");
    ::chmod(QFile::encodeName(root.filePath("data")).constData(), 0777);
    ::chmod(QFile::encodeName(root.filePath("data/Trash")).constData(), 0777);
    const QByteArray name = cp932(longName() + QStringLiteral("_Qele.dat"));
    const QByteArray settings = cp932(longName() + QStringLiteral(".ini"));
    const QString key = write(name, "record");
    write(settings, "[OPTION]");
    for (const Deletion how : {Deletion::ToTrash, Deletion::ForGood}) {
        const QString done = deleteWithoutWriteAccess(folder(), {key}, how);
        const QString expected = QStringLiteral("%1 %2 %3\nremoved 0")
                                     .arg(longName() + QStringLiteral("_Qele.dat"))
                                     .arg(int(DiscardResult::Failed))
                                     .arg(qt_error_string(EACCES));
        EXPECT_EQ(done, expected);
        EXPECT_EQ(rawContents(nativeIn(folder(), name)), "record");
        EXPECT_EQ(rawContents(nativeIn(folder(), settings)), "[OPTION]");
    }
}

// A folder on another device than the home trash: its files go to the trash of its own
// partition, by the rules for a shared .Trash (a real folder with the sticky bit) and
// .Trash-<uid>, with places relative to the partition.
TEST_F(FileTrashTest, APartitionsOwnTrash)
{
    struct stat shm {}, home {};
    const QByteArray top = "/dev/shm";
    if (::stat(top.constData(), &shm) != 0 || ::stat(QFile::encodeName(root.path()).constData(), &home) != 0
        || shm.st_dev == home.st_dev || ::access(top.constData(), W_OK) != 0
        || rawExists(top + "/.Trash") || rawExists(top + "/.Trash-" + QByteArray::number(::geteuid())))
        GTEST_SKIP() << "needs a writable /dev/shm of its own, without a trash yet";
    const QByteArray uid = QByteArray::number(::geteuid());
    struct Case {
        const char *what;
        mode_t sharedMode; // 0: no shared .Trash; else made with this mode
        bool sharedIsLink;
        QByteArray trash;
    };
    const Case cases[] = {
        {"no shared trash", 0, false, top + "/.Trash-" + uid},
        {"a shared trash", 01777, false, top + "/.Trash/" + uid},
        {"a shared trash without the sticky bit", 0777, false, top + "/.Trash-" + uid},
        {"a link as the shared trash", 0, true, top + "/.Trash-" + uid},
    };
    for (const Case &c : cases) {
        QTemporaryDir elsewhere(QStringLiteral("/dev/shm/qeltrash-XXXXXX"));
        ASSERT_TRUE(elsewhere.isValid());
        if (c.sharedMode) {
            ASSERT_EQ(::mkdir((top + "/.Trash").constData(), 0700), 0);
            ::chmod((top + "/.Trash").constData(), c.sharedMode);
        }
        if (c.sharedIsLink) {
            ASSERT_EQ(::symlink(QFile::encodeName(elsewhere.path()).constData(), (top + "/.Trash").constData()), 0);
        }
        const QByteArray name = cp932(QStringLiteral("表_Qele.dat"));
        ASSERT_TRUE(writeRawNamed(elsewhere.path(), name, "record"));
        const DiscardedFile done = discardFile(recordFolderPath(elsewhere.path(), fileNameFromBytes(name)));
        EXPECT_EQ(done.result, DiscardResult::Trashed) << c.what << ": " << done.error.toStdString();
        EXPECT_EQ(fileNameToBytes(done.whereNow), c.trash + "/files/" + name) << c.what;
        const QByteArray relative = QFile::encodeName(elsewhere.path()).mid(top.size() + 1) + '/' + name;
        EXPECT_TRUE(rawContents(c.trash + "/info/" + name + ".trashinfo").contains("\nPath=" + relative.toPercentEncoding("/") + '\n'))
            << c.what;
        qeltest::removeRawTree(top + "/.Trash");
        qeltest::removeRawTree(top + "/.Trash-" + uid);
        qeltest::removeRawTree(QFile::encodeName(elsewhere.path()));
    }
}
#endif
