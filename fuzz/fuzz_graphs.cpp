// The four graphs drawn on an image: the practice and practice-time graphs from a record
// file made of the bytes, the two statistics graphs from group collections made of them.
//
// Input: one byte choosing the graph (bit 0: kind, bit 1: a statistics graph, bit 2: a kind
// without a graph, bit 3: segment-by-segment lines, bit 4: a pane of its own size, larger
// than the image and clipped by it), two 16-bit image sizes (and with bit 4 the pane's two
// sizes in units of 2 twips); then, for a
// personal graph, the list row's best SPM text (a length byte and its bytes) and the record
// file, for a statistics graph the group name (a byte) and the values (32-bit, alternately
// a passed STEP and a run count).

#include "base/painting.h"
#include "base/twips.h"
#include "fuzz/fuzzinput.h"
#include "graphs/groupgraph.h"
#include "graphs/personalgraph.h"
#include "records/learnertable.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

using namespace qel;
using namespace qel::graphs;

namespace {
QGuiApplication *application = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_graphs";
    static char *argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
    // Ended at exit, so that what the font system holds is given back before leaks are counted.
    std::atexit([] { delete application; });
    draw::installFontSubstitutes();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    qelfuzz::FuzzInput input(data, size);
    const std::uint8_t what = input.byte();
    const bool statistics = what & 2;
    const int kind = (what & 4) ? 2 : (what & 1);
    const QSize pixels(1 + input.word() % 800, 1 + input.word() % 600);
    QImage image(pixels, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780); // 96 dpi, the pane's usual
    image.setDotsPerMeterY(3780);
    QSize twips = TwipsScale(&image).twips(pixels);
    if (what & 16)
        twips = QSize(2 * input.word(), 2 * input.word());
    GraphState state;
    QPainter painter(&image);

    if (!statistics) {
        PersonalGraphRow row;
        row.name = QStringLiteral("山田");
        row.courseText = QStringLiteral("英文");
        row.bestSpm = QString::fromLatin1(input.bytes(input.byte() % 16));
        const QString path = qelfuzz::scratchFolder().filePath(QStringLiteral("山田_Qele.dat"));
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray record = input.rest();
        FUZZ_CHECK(file.write(record) == record.size());
        file.close();
        state.resetPersonalScales();
        const auto lines = (what & 8) ? RunLines::EverySegment : RunLines::Merged;
        const PersonalGraphResult result = drawPersonalGraph(painter, twips.width(), twips.height(),
                                                             kind, row, path, state, lines);
        FUZZ_CHECK(state.graphFamily == PersonalFamily);
        FUZZ_CHECK(result.heading.isEmpty() == (kind > 1));
        FUZZ_CHECK(result.fileRead == (kind <= 1));
        FUZZ_CHECK(state.runsPerColumn >= 1 && state.spmPerDivision >= 10);
    } else {
        const QString group = groupName(input.byte() % 3);
        GroupCollections collections;
        while (input.left() >= 8) {
            collections.groupSteps.push_back(input.int32());
            collections.groupRunCounts.push_back(input.int32());
        }
        const int learners = int(collections.groupSteps.size());
        const GroupGraphResult result = drawGroupGraph(painter, twips.width(), twips.height(), kind,
                                                       group, learners, collections, state);
        FUZZ_CHECK(state.graphFamily == GroupFamily);
        FUZZ_CHECK(result.statusText.startsWith(QString::number(learners)) == (kind <= 1));
        const auto &drawn = kind == StepStatistics ? collections.groupSteps : collections.groupRunCounts;
        FUZZ_CHECK(kind > 1 || std::is_sorted(drawn.begin(), drawn.end()));
    }
    painter.end();
    return 0;
}
