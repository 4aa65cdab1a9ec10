#pragma once
// A record folder in a temporary directory, filled with learners for the report tests,
// and a Gui application for fonts and painting.

#include "samples/recordwriter.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace qel::test {

// Creates the offscreen Gui application once per test program.
void ensureGuiApplication();

class Folder {
public:
    Folder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const;
    // Writes <name>_Qele.dat or <name>_Qelk.dat.
    void write(const QString &name, bool english, const samples::RecordContent &content) const;
    void writeSettings(const QString &name, const QByteArray &iniText) const;

private:
    QTemporaryDir m_dir;
};

// `count` runs with SPM from `firstSpm` rising by `gain` and mistype rate `rate`.
std::vector<samples::Run> risingRuns(int count, int firstSpm, int gain, std::int16_t rate = 500);
samples::RecordContent content(int currentStep, std::vector<samples::Run> runs,
                               std::vector<std::int32_t> stepSeconds = {});

// Text of a PDF file by pdftotext (UTF-8), and its page count by pdfinfo.
QString pdfText(const QString &path);
int pdfPages(const QString &path);

} // namespace qel::test
