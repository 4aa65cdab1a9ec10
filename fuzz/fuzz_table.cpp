// The folder scan and the table build: the bytes become a few files in a folder of their own
// (record files, settings files, and in their place FIFOs, folders and links), which every
// group is scanned from and built into rows, statistics and learner summaries.
//
// Input: one byte of options (bit 0: the folder path ends in a separator), then pieces
// separated by "\n--\n". A piece's first byte picks the name (low 4 bits) and what is made
// under it (high bits); the rest of the piece is the file's content.

#include "fuzz/fuzzinput.h"
#include "records/groupstats.h"
#include "records/learnertable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <map>
#include <set>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

using namespace qel;

namespace {


const char *const kNames[16] = {
    "taro_Qele.dat", "taro_Qelk.dat", "hanako_Qelk.dat", "hanako_Qele.dat",
    "a_Qelb_Qele.dat", "x_QelE.dat", "notes_Qelx.dat", "_Qele.dat",
    "山田_Qele.dat", "taro.ini", "hanako.ini", "山田.ini",
    ".hidden_Qelk.dat", "b.dat_Qele.dat", "c_Qel_Qelk.dat", "a.ini",
};

enum Kind { Regular, Fifo, Folder, LinkToPrevious, LinkToDevice, LinkToNothing };

Kind kindOf(std::uint8_t selector)
{
    switch ((selector >> 4) & 7) {
    case 3: return Fifo;
    case 4: return Folder;
    case 5: return LinkToPrevious;
    case 6: return LinkToDevice;
    case 7: return LinkToNothing;
    default: return Regular;
    }
}

// Makes the pieces; returns, by file name, whether a read finds a regular file there.
std::map<QString, bool> makeFolder(const QString &dir, const QByteArray &input)
{
    std::map<QString, bool> regular;
    QString previous;
    int made = 0;
    qsizetype at = 0;
    while (at <= input.size() && made < 8) {
        qsizetype end = input.indexOf("\n--\n", at);
        if (end < 0)
            end = input.size();
        const QByteArray piece = input.mid(at, end - at);
        at = end + 4;
        if (piece.isEmpty())
            continue;
        const auto selector = std::uint8_t(piece[0]);
        const QString name = QString::fromUtf8(kNames[selector & 15]);
        const QString path = dir + QLatin1Char('/') + name;
        if (regular.count(name))
            continue;
        ++made;
        bool isRegular = false;
        switch (kindOf(selector)) {
        case Regular: {
            QFile file(path);
            FUZZ_CHECK(file.open(QIODevice::WriteOnly));
            FUZZ_CHECK(file.write(piece.mid(1)) == piece.size() - 1);
            isRegular = true;
            break;
        }
        case Fifo:
#if defined(Q_OS_UNIX)
            FUZZ_CHECK(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
#endif
            break;
        case Folder:
            FUZZ_CHECK(QDir().mkdir(path));
            break;
        case LinkToPrevious:
            if (previous.isEmpty())
                continue;
            FUZZ_CHECK(QFile::link(previous, path));
            isRegular = regular[QFileInfo(previous).fileName()];
            break;
        case LinkToDevice:
            FUZZ_CHECK(QFile::link(QStringLiteral("/dev/zero"), path));
            break;
        case LinkToNothing:
            FUZZ_CHECK(QFile::link(dir + QStringLiteral("/missing"), path));
            break;
        }
        regular[name] = isRegular;
        previous = path;
    }
    return regular;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    qelfuzz::FuzzInput input(data, size);
    const std::uint8_t options = input.byte();
    const QString dir = qelfuzz::scratchFolder().filePath(QStringLiteral("RecordFolder"));
    QDir(dir).removeRecursively();
    FUZZ_CHECK(QDir().mkdir(dir));
    const std::map<QString, bool> regular = makeFolder(dir, input.rest());
    const QString folder = (options & 1) ? dir + QLatin1Char('/') : dir;

    std::set<QString> learners;
    for (int group = AllGroup; group <= KanaGroup; ++group) {
        const ScanResult scan = scanFolder(folder, group);
        FUZZ_CHECK(scan.listing.complete());
        FUZZ_CHECK(scan.statusText == fileCountText(std::int64_t(scan.nodes.size())));
        GroupCollections collections;
        int lastDone = -1;
        const auto progress = [&](int done, int maximum) {
            // Rows are read many at a time: the count only grows, and ends at the last row.
            FUZZ_CHECK(done >= std::max(lastDone, 0) && maximum == int(scan.nodes.size()) + 1 && done < maximum);
            lastDone = done;
        };
        const std::vector<TableRow> rows = makeView(folder, scan.nodes, &collections, progress);
        FUZZ_CHECK(rows.size() == scan.nodes.size());
        FUZZ_CHECK(lastDone == int(scan.nodes.size()));
        // Unreadable rows count in no group figure.
        std::size_t readable = 0;
        for (const TableRow &row : rows)
            readable += row.readable ? 1 : 0;
        FUZZ_CHECK(collections.groupSteps.size() == readable);
        FUZZ_CHECK(collections.groupRunCounts.size() == readable);
        std::size_t collected = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const TableRow &row = rows[i];
            const TreeNode &node = scan.nodes[i];
            const auto parsed = parseRecordFileName(node.key);
            FUZZ_CHECK(parsed && parsed->learner == node.text && row.key == node.key);
            FUZZ_CHECK(group == AllGroup || node.image == (group == EnglishGroup ? 4 : 5));
            // A row is read exactly when its name leads to a regular file.
            const auto made = regular.find(node.key);
            FUZZ_CHECK(made != regular.end());
            FUZZ_CHECK(row.readable == made->second);
            FUZZ_CHECK(std::isfinite(row.sortValue));
            FUZZ_CHECK(row.runCount >= 0);
            if (row.readable) {
                FUZZ_CHECK(collections.groupRunCounts[collected] == row.runCount);
                FUZZ_CHECK(collections.groupSteps[collected++] == row.passedStep);
                FUZZ_CHECK(row.cells[StepColumn].size() == 4 && row.cells[RunsColumn].size() == 6);
            } else
                FUZZ_CHECK(row.cells[StepColumn].isEmpty() && row.cells[DateColumn].isEmpty());
            learners.insert(parsed->learnerKey);
        }
        const GroupFigureTexts figures = computeGroupFigures(collections);
        FUZZ_CHECK(figures[LearnerCountStat] == (readable == 0 ? QString() : QString::number(readable)));
    }
    const GroupStatistics all = computeAllGroups(folder, int(options >> 1) % 3);
    (void)all;
    for (const QString &learner : learners)
        (void)readSummary(folder, learner).texts();
    // Names the scan never lists, read as the dialog reads a learner: files that are FIFOs,
    // folders or links to a device give texts, not a wait.
    for (const QString &learner : {QStringLiteral("taro"), QStringLiteral("hanako"), QStringLiteral("a")})
        (void)readSummary(folder, learner).texts();
    return 0;
}
