// Deleted files must end up in the trash, never lost and never stray.

#include "mainwindow/filetrash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FileTrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        qputenv("HOME", root.path().toLocal8Bit());
        previousDir = QDir::currentPath();
        QDir(root.path()).mkpath("work");
        QDir::setCurrent(root.filePath("work"));
        QDir(root.path()).mkpath("records");
    }
    void TearDown() override
    {
        QDir::setCurrent(previousDir);
        qunsetenv("XDG_DATA_HOME");
    }

    QString writeFile(const QString &name)
    {
        const QString path = root.filePath("records/" + name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("record");
        return path;
    }

    bool strayInWorkingFolder() const { return QFileInfo::exists(root.filePath("work/files")); }

    QTemporaryDir root;
    QString previousDir;
};

TEST_F(FileTrashTest, MissingDataFolderStillGivesARealTrash)
{
    // A user without ~/.local/share: the home trash is made, not the working folder.
    const QString data = root.filePath("no/such/data");
    qputenv("XDG_DATA_HOME", data.toLocal8Bit());
    const QString file = writeFile("taro_Qele.dat");
    QString placed;
    EXPECT_EQ(qel::discardFile(file, &placed), qel::DiscardResult::Trashed);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(QFileInfo(placed).absoluteFilePath(), QFileInfo(data + "/Trash/files/taro_Qele.dat").absoluteFilePath());
    EXPECT_TRUE(QFileInfo::exists(placed));
    EXPECT_TRUE(QFileInfo::exists(data + "/Trash/info/taro_Qele.dat.trashinfo"));
    EXPECT_FALSE(strayInWorkingFolder());
}

TEST_F(FileTrashTest, SameNameTwiceKeepsBoth)
{
    qputenv("XDG_DATA_HOME", root.filePath("data").toLocal8Bit());
    QString first, second;
    EXPECT_EQ(qel::discardFile(writeFile("taro.ini"), &first), qel::DiscardResult::Trashed);
    EXPECT_EQ(qel::discardFile(writeFile("taro.ini"), &second), qel::DiscardResult::Trashed);
    EXPECT_NE(first, second);
    EXPECT_TRUE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(second));
}

TEST_F(FileTrashTest, NoTrashPossibleLeavesTheFile)
{
    // The data folder's place is taken by a plain file: no trash can be made.
    QFile blocker(root.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_DATA_HOME", root.filePath("blocker/data").toLocal8Bit());
    const QString file = writeFile("taro_Qelk.dat");
    EXPECT_EQ(qel::discardFile(file), qel::DiscardResult::Failed);
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_FALSE(strayInWorkingFolder());
}

TEST_F(FileTrashTest, MissingFile)
{
    qputenv("XDG_DATA_HOME", root.filePath("data").toLocal8Bit());
    EXPECT_EQ(qel::discardFile(root.filePath("records/nobody_Qele.dat")), qel::DiscardResult::Missing);
}

} // namespace
