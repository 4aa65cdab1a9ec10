// Deleted files end up in a trash under their own bytes, never lost, never stray and never
// renamed; what cannot be deleted stays where and as it was, and the caller learns why.

#include "records/filetrash.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/support/rawnames.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/wait.h>

using namespace qel;
using namespace qeltest;

namespace {

class FileTrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(root.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("data")));
        QDir(root.path()).mkpath("records");
    }
    void TearDown() override { removeRawTree(QFile::encodeName(root.path())); }

    QString folder() const { return root.filePath("records"); }
    QByteArray trash(const QByteArray &part) const { return QFile::encodeName(root.filePath("data/Trash/")) + part; }
    bool inFolder(const QByteArray &name) const { return rawExists(nativeIn(folder(), name)); }
    // A file named by `name`'s bytes; its key.
    QString write(const QByteArray &name, const QByteArray &content = "record")
    {
        EXPECT_TRUE(writeRawNamed(folder(), name, content));
        return fileNameFromBytes(name);
    }

    QTemporaryDir root;
};

} // namespace

TEST_F(FileTrashTest, FilesGoToTheHomeTrashUnderTheirOwnBytes)
{
    for (const QByteArray &name : {QStringLiteral("花子_Qelk.dat").toUtf8(), qel::toCp932(QStringLiteral("表_Qele.dat")),
                                   QByteArray("a\xFF%b_Qele.dat")}) {
        const DiscardedFile done = discardFile(recordFolderPath(folder(), write(name, name)));
        ASSERT_EQ(done.result, DiscardResult::Trashed) << done.error.toStdString();
        EXPECT_FALSE(inFolder(name));
        EXPECT_EQ(fileNameToBytes(done.whereNow), trash("files/" + name));
        EXPECT_EQ(rawContents(trash("files/" + name)), name);
        // The original place, percent-encoded byte by byte, and the time of the deletion.
        const QByteArray info = rawContents(trash("info/" + name + ".trashinfo"));
        const QByteArray place = (QFile::encodeName(QFileInfo(folder()).canonicalFilePath()) + '/' + name).toPercentEncoding("/");
        ASSERT_TRUE(info.startsWith("[Trash Info]\nPath=" + place + "\nDeletionDate=")) << info.constData();
        const auto when = QDateTime::fromString(QString::fromLatin1(info.mid(info.lastIndexOf('=') + 1).trimmed()), Qt::ISODate);
        EXPECT_LE(qAbs(when.secsTo(QDateTime::currentDateTime())), 2);
    }
}

// Nothing in the trash is overwritten: neither a file without its info nor a claimed name.
TEST_F(FileTrashTest, SameNameAgainTakesAnotherPlace)
{
    ASSERT_TRUE(checkTrash(folder()).available);
    ASSERT_TRUE(writeRawFile(trash("files/taro_Qele.dat"), "left without info"));
    ASSERT_TRUE(writeRawFile(trash("info/taro_Qele.2.dat.trashinfo"), "claimed"));
    for (const char *placed : {"taro_Qele.3.dat", "taro_Qele.4.dat"}) {
        const DiscardedFile done = discardFile(recordFolderPath(folder(), write("taro_Qele.dat", placed)));
        EXPECT_EQ(fileNameToBytes(done.whereNow), trash(QByteArray("files/") + placed));
        EXPECT_EQ(rawContents(trash(QByteArray("files/") + placed)), placed);
    }
    EXPECT_EQ(rawContents(trash("files/taro_Qele.dat")), "left without info");
    EXPECT_EQ(rawContents(trash("info/taro_Qele.2.dat.trashinfo")), "claimed");
}

// Where no trash can be made the check says why; to the trash nothing goes, for good only
// when asked.
TEST_F(FileTrashTest, WithoutATrashFilesStayUnlessDeletedForGood)
{
    ASSERT_TRUE(samples::writeFile(root.filePath("blocker"), "where the data folder would be"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("blocker/data")));
    const TrashCheck check = checkTrash(folder());
    EXPECT_FALSE(check.available);
    EXPECT_TRUE(check.error.contains(qt_error_string(ENOTDIR))) << check.error.toStdString();
    const QByteArray name = qel::toCp932(QStringLiteral("表_Qele.dat"));
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
}

// Learners whose names read alike are two: each row takes its own file, and with a
// learner's last record file goes that learner's own settings file.
TEST_F(FileTrashTest, RowsDeleteTheirOwnFilesAndSettings)
{
    const QByteArray utf8 = QStringLiteral("表").toUtf8(), windows = qel::toCp932(QStringLiteral("表"));
    for (const QByteArray &learner : {utf8, windows}) {
        write(learner + "_Qele.dat");
        write(learner + ".ini", "[OPTION]");
    }
    const QString english = fileNameFromBytes(windows + "_Qele.dat"), kana = write(windows + "_Qelk.dat");
    EXPECT_EQ(deleteLearnerRows(folder(), {english}, Deletion::ToTrash).removedKeys, QStringList{english});
    EXPECT_TRUE(inFolder(windows + ".ini")); // the Kana/Romaji file is still there
    // A file already gone is no failure.
    const LearnerDeletion second = deleteLearnerRows(folder(), {english, kana}, Deletion::ToTrash);
    EXPECT_EQ(second.removedKeys, (QStringList{english, kana}));
    ASSERT_EQ(second.files.size(), 3u);
    EXPECT_EQ(second.files[0].result, DiscardResult::Missing);
    EXPECT_EQ(rawContents(trash("files/" + windows + ".ini")), "[OPTION]");
    EXPECT_TRUE(inFolder(utf8 + "_Qele.dat"));
    EXPECT_TRUE(inFolder(utf8 + ".ini"));
}

// A file in a folder the user may not change keeps its name and place, whichever way it was
// to go, and so does the learner's settings file; the reason is the system's. As root (who
// may write anywhere) the deletion runs in a child that has become nobody.
TEST_F(FileTrashTest, AFileInAReadOnlyFolderStaysAsItIs)
{
    ::chmod(QFile::encodeName(root.path()).constData(), 0755);
    ASSERT_TRUE(QDir(root.path()).mkpath("data/Trash"));
    ::chmod(QFile::encodeName(root.filePath("data/Trash")).constData(), 0777);
    const QByteArray name = qel::toCp932(QStringLiteral("日本語練習記録表示学生").repeated(10)); // 110 kanji
    const QString key = write(name + "_Qele.dat");
    write(name + ".ini", "[OPTION]");
    const auto deletion = [&](Deletion how) {
        const LearnerDeletion done = deleteLearnerRows(folder(), {key}, how);
        const auto failed = done.failures();
        return QStringLiteral("%1 removed, %2 failed: %3")
            .arg(done.removedKeys.size())
            .arg(failed.size())
            .arg(failed.empty() ? QString() : failed[0].error)
            .toUtf8();
    };
    for (const Deletion how : {Deletion::ToTrash, Deletion::ForGood}) {
        QByteArray done;
        if (::geteuid() != 0) {
            ::chmod(QFile::encodeName(folder()).constData(), 0555);
            done = deletion(how);
            ::chmod(QFile::encodeName(folder()).constData(), 0755);
        } else {
            int ends[2];
            ASSERT_EQ(::pipe(ends), 0);
            const pid_t child = ::fork();
            if (child == 0) {
                const QByteArray said = ::setgid(65534) == 0 && ::setuid(65534) == 0 ? deletion(how) : "still root";
                ::_exit(::write(ends[1], said.constData(), size_t(said.size())) == said.size() ? 0 : 1);
            }
            ::close(ends[1]);
            char buffer[512];
            for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
                done.append(buffer, n);
            ::close(ends[0]);
            ::waitpid(child, nullptr, 0);
        }
        EXPECT_EQ(QString::fromUtf8(done), QStringLiteral("0 removed, 1 failed: ") + qt_error_string(EACCES));
        EXPECT_EQ(rawContents(nativeIn(folder(), name + "_Qele.dat")), "record");
        EXPECT_TRUE(inFolder(name + ".ini"));
    }
}

// A folder on another device than the home trash: its files go to the trash of their own
// partition, a shared .Trash only when it is a real folder with the sticky bit, with the
// places written relative to the partition.
TEST_F(FileTrashTest, APartitionsOwnTrash)
{
    const QByteArray top = "/dev/shm", uid = QByteArray::number(::geteuid());
    struct stat shm {}, home {};
    if (::stat(top, &shm) != 0 || ::stat(QFile::encodeName(root.path()), &home) != 0 || shm.st_dev == home.st_dev
        || ::access(top, W_OK) != 0 || rawExists(top + "/.Trash") || rawExists(top + "/.Trash-" + uid))
        GTEST_SKIP() << "needs a writable /dev/shm of its own without a trash";
    const struct {
        mode_t shared; // the shared .Trash made with this mode; 0: none; 1: a link
        QByteArray trash;
    } cases[] = {
        {0, top + "/.Trash-" + uid},
        {01777, top + "/.Trash/" + uid},
        {0777, top + "/.Trash-" + uid},
        {1, top + "/.Trash-" + uid},
    };
    for (const auto &c : cases) {
        QTemporaryDir elsewhere(QStringLiteral("/dev/shm/qeltrash-XXXXXX"));
        if (c.shared == 1) {
            ASSERT_EQ(::symlink(QFile::encodeName(elsewhere.path()), top + "/.Trash"), 0);
        } else if (c.shared) {
            ASSERT_EQ(::mkdir(top + "/.Trash", 0700), 0);
            ::chmod(top + "/.Trash", c.shared);
        }
        const QByteArray name = qel::toCp932(QStringLiteral("表_Qele.dat"));
        ASSERT_TRUE(writeRawNamed(elsewhere.path(), name, "record"));
        const DiscardedFile done = discardFile(recordFolderPath(elsewhere.path(), fileNameFromBytes(name)));
        EXPECT_EQ(fileNameToBytes(done.whereNow), c.trash + "/files/" + name) << c.shared << done.error.toStdString();
        const QByteArray relative = QFile::encodeName(elsewhere.path()).mid(top.size() + 1) + '/' + name;
        EXPECT_TRUE(rawContents(c.trash + "/info/" + name + ".trashinfo").contains("\nPath=" + relative.toPercentEncoding("/") + '\n'));
        for (const QByteArray &made : {top + "/.Trash", top + "/.Trash-" + uid, QFile::encodeName(elsewhere.path())})
            removeRawTree(made);
    }
}
#endif
