#include "tests/reports/fixtures.h"

#include "tests/support/programrun.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace qel::test {

namespace {
// The application lives from before the first test to after the last one, and is gone
// before the program's static objects are.
QGuiApplication *application = nullptr;

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override { ensureGuiApplication(); }
    void TearDown() override
    {
        delete application;
        application = nullptr;
    }
};
[[maybe_unused]] testing::Environment *const environment =
    testing::AddGlobalTestEnvironment(new GuiEnvironment);
} // namespace

void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "reports-test";
    static char *argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
}

Folder::Folder()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString Folder::file(const QString &name) const
{
    return m_dir.filePath(name);
}

void Folder::write(const QString &name, bool english, const samples::RecordContent &c) const
{
    const QString path = file(name + (english ? QStringLiteral("_Qele.dat") : QStringLiteral("_Qelk.dat")));
    ASSERT_TRUE(samples::writeFile(path, samples::recordBytes(c))) << path.toStdString();
}

void Folder::writeSettings(const QString &name, const QByteArray &iniText) const
{
    ASSERT_TRUE(samples::writeFile(file(name + QStringLiteral(".ini")), iniText));
}

std::vector<samples::Run> risingRuns(int count, int firstSpm, int gain, std::int16_t rate)
{
    std::vector<samples::Run> runs;
    for (int i = 0; i < count; ++i)
        runs.push_back({std::int16_t(firstSpm + gain * i), rate});
    return runs;
}

samples::RecordContent content(int currentStep, std::vector<samples::Run> runs,
                               std::vector<std::int32_t> stepSeconds)
{
    samples::RecordContent c;
    c.currentStep = std::uint16_t(currentStep);
    c.runs = std::move(runs);
    c.totalSeconds = 600;
    for (std::size_t i = 0; i < stepSeconds.size() && i < c.stepSeconds.size(); ++i)
        c.stepSeconds[i] = stepSeconds[i];
    return c;
}

QString pdfText(const QString &path)
{
    const qeltest::ProgramRun run = qeltest::runProgram(
        QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    EXPECT_EQ(run.exitCode, 0) << "pdftotext failed on " << path.toStdString();
    return run.outText();
}

int pdfPages(const QString &path)
{
    const qeltest::ProgramRun run = qeltest::runProgram(QStringLiteral("pdfinfo"), {path});
    EXPECT_EQ(run.exitCode, 0) << "pdfinfo failed on " << path.toStdString();
    const QString info = run.outText();
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace qel::test
