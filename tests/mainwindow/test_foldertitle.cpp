// The folder path over the tree, cut in the middle so that the last folders stay readable.

#include "mainwindow/panes.h"
#include "tests/support/testprint.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *path;
    int width; // in characters: every character is one unit wide here
    const char *shown;
};

class FolderTitleTest : public ::testing::TestWithParam<Case> {};

TEST_P(FolderTitleTest, KeepsTheStartAndTheLastFolders)
{
    const Case &c = GetParam();
    const QString shown = qel::elideFolderPath(QString::fromUtf8(c.path), c.width,
                                               [](const QString &text) { return int(text.size()); });
    EXPECT_EQ(shown, QString::fromUtf8(c.shown));
    EXPECT_LE(shown.size(), std::max(c.width, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FolderTitleTest,
    ::testing::Values(Case{"/home/t/recs", 40, "/home/t/recs"},
                      Case{"/home/teacher/records/2024/3年1組", 22, "/home/…/2024/3年1組"},
                      Case{"/home/teacher/records/2024/3年1組", 16, "/home/…/3年1組"},
                      Case{"/home/teacher/records/2024/3年1組", 11, "…/2024/3年1組"},
                      Case{"C:\\Users\\sensei\\Documents\\Qel\\3-1\\", 16, "C:\\…\\Qel\\3-1"},
                      Case{"/srv/a-very-long-class-name", 12, "…-class-name"},
                      Case{"no-separator-at-all", 8, "…-at-all"},
                      Case{"/srv/x", 0, "…"}));

} // namespace
