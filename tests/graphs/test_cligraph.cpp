// qelviewer-cli graph: arguments, exit status and the picture it writes.

#include "tests/graphs/testsupport.h"
#include "tests/support/programrun.h"

#include <QFileInfo>
#include <QImage>

using namespace qel;
using namespace qel::test;
using qeltest::ProgramRun;
using qeltest::runProgram;

namespace {

ProgramRun runCli(const QStringList &args)
{
    return runProgram(QStringLiteral(QELVIEWER_CLI), QStringList{QStringLiteral("graph")} + args,
                      {QStringLiteral("QEL_LANGUAGE=ja")});
}

class CliGraph : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write(QStringLiteral("山田_Qele.dat"), withSpm({100, 120, 110, 130}));
        auto kana = withSpm({80});
        kana.currentStep = 4;
        kana.stepSeconds[0] = 300;
        folder.write(QStringLiteral("山田_Qelk.dat"), kana);
    }
    QString out(const char *name) const { return output.filePath(QString::fromLatin1(name)); }

    RecordFolder folder;
    QTemporaryDir output;
};

TEST_F(CliGraph, WritesThePaneSizedPictureAndTheHeading)
{
    const auto r = runCli({folder.path(), QStringLiteral("--file"), QStringLiteral("山田_Qele.dat"),
                           QStringLiteral("--kind"), QStringLiteral("practice"), QStringLiteral("--size"),
                           QStringLiteral("640x420"), out("p.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outText().trimmed(), QStringLiteral("山田さんの 英文 練習記録グラフです。"));
    const QImage image(out("p.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 420));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(255, 255, 192));
    // The horizontal axis bar, 480 twips (32 px) above the bottom.
    EXPECT_EQ(image.pixelColor(320, 420 - 32), QColor(0, 0, 0));
}

TEST_F(CliGraph, TimeAndGroupGraphs)
{
    auto r = runCli({folder.path(), QStringLiteral("--file"), QStringLiteral("山田_Qelk.dat"), QStringLiteral("--kind"),
                     QStringLiteral("time"), QStringLiteral("--size"), QStringLiteral("300x200"), out("t.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outText().trimmed(), QStringLiteral("山田さんの かな/ﾛｰﾏ 練習時間グラフです。"));
    r = runCli({folder.path(), QStringLiteral("--group"), QStringLiteral("0"), QStringLiteral("--kind"),
                QStringLiteral("runs"), QStringLiteral("--size"), QStringLiteral("600x400"), out("g.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outText(), QStringLiteral("全体の練習者の練習回数統計グラフです。\n2人、 平均： 2.50 回\n"));
    r = runCli({folder.path(), QStringLiteral("--group"), QStringLiteral("1"), QStringLiteral("--kind"),
                QStringLiteral("steps"), QStringLiteral("--size"), QStringLiteral("600x400"), out("s.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outText(), QStringLiteral("英文の練習者のSTEP統計グラフです。\n1人 平均： 0.00 STEP\n"));
    EXPECT_EQ(QImage(out("s.png")).size(), QSize(600, 400));
}

TEST_F(CliGraph, ErrorsExitWithTwoAndWriteNothing)
{
    const QString png = out("x.png");
    const QString size = QStringLiteral("--size");
    const QString kind = QStringLiteral("--kind");
    const QString file = QStringLiteral("--file");
    const QString dat = QStringLiteral("山田_Qele.dat");
    const std::vector<QStringList> cases{
        {},
        {folder.path(), file, dat, kind, QStringLiteral("practice"), size, QStringLiteral("640x420")},
        {folder.path() + QStringLiteral("/nowhere"), file, dat, kind, QStringLiteral("practice"), size,
         QStringLiteral("640x420"), png},
        {folder.path(), kind, QStringLiteral("practice"), size, QStringLiteral("640x420"), png},
        {folder.path(), file, dat, size, QStringLiteral("640x420"), png},
        {folder.path(), file, dat, kind, QStringLiteral("practice"), png},
        {folder.path(), file, dat, kind, QStringLiteral("steps"), size, QStringLiteral("640x420"), png},
        {folder.path(), QStringLiteral("--group"), QStringLiteral("3"), kind, QStringLiteral("steps"), size,
         QStringLiteral("640x420"), png},
        {folder.path(), QStringLiteral("--group"), QStringLiteral("0"), kind, QStringLiteral("time"), size,
         QStringLiteral("640x420"), png},
        {folder.path(), QStringLiteral("--group"), QStringLiteral("0"), file, dat, kind, QStringLiteral("steps"),
         size, QStringLiteral("640x420"), png},
        {folder.path(), file, dat, kind, QStringLiteral("practice"), size, QStringLiteral("0x420"), png},
        {folder.path(), file, dat, kind, QStringLiteral("practice"), size, QStringLiteral("640"), png},
        {folder.path(), file, dat, kind, QStringLiteral("practice"), size, QStringLiteral("640x420"), png,
         QStringLiteral("--colour")},
        {folder.path(), file, QStringLiteral("notes.txt"), kind, QStringLiteral("practice"), size,
         QStringLiteral("640x420"), png},
        {folder.path(), file, QStringLiteral("gone_Qele.dat"), kind, QStringLiteral("practice"), size,
         QStringLiteral("640x420"), png},
        {folder.path(), file, QStringLiteral("../山田_Qele.dat"), kind, QStringLiteral("time"), size,
         QStringLiteral("640x420"), png},
    };
    for (const auto &args : cases) {
        const auto r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(QFileInfo::exists(png)) << args.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("gone_Qele.dat"))));
}

} // namespace
