// Table build of a large folder against reading the same files' bytes.
// usage: bench_tablebuild [FILES] [AVERAGE_RUNS] [FOLDER]   (defaults 10000, 300 and a temporary folder;
// an existing FOLDER is used as it is)

#include "records/learnertable.h"
#include "samples/recordwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void makeFolder(const QString &folder, int files, int averageRuns)
{
    std::mt19937 random(7);
    for (int i = 0; i < files; ++i) {
        qel::samples::RecordContent c;
        const int runs = int(random() % unsigned(2 * averageRuns + 1));
        c.currentStep = std::uint16_t(1 + random() % 60);
        c.totalSeconds = std::int32_t(runs * 90);
        for (int k = 0; k < runs; ++k)
            c.runs.push_back({std::int16_t(40 + k / 3 + int(random() % 20)), std::int16_t(random() % 900)});
        const QString name = QStringLiteral("learner%1_Qel%2.dat").arg(i, 5, 10, QLatin1Char('0'))
                                 .arg(i % 3 == 0 ? QLatin1Char('k') : QLatin1Char('e'));
        qel::samples::writeFile(QDir(folder).filePath(name), qel::samples::recordBytes(c));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int averageRuns = argc > 2 ? std::atoi(argv[2]) : 300;
    QTemporaryDir temporary;
    const QDir dir(argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path());
    if (!dir.exists(QStringLiteral("learner00000_Qelk.dat"))) {
        dir.mkpath(QStringLiteral("."));
        makeFolder(dir.path(), files, averageRuns);
    }

    constexpr int kRepeats = 7;
    std::vector<double> rawTimes, buildTimes;
    qint64 checksum = 0;
    for (int r = 0; r < kRepeats; ++r) {
        QElapsedTimer timer;
        timer.start();
        // Raw read: list the folder, then open, read and close every record file.
        const QStringList names = QDir(dir.path()).entryList({QStringLiteral("*_Qel?.dat")}, QDir::Files);
        for (const QString &name : names) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                checksum += file.readAll().size();
        }
        rawTimes.push_back(double(timer.nsecsElapsed()) / 1e6);

        timer.start();
        qel::GroupCollections collections;
        const qel::ScanResult scan = qel::scanFolder(dir.path(), qel::AllGroup);
        const auto rows = qel::makeView(dir.path(), scan.nodes, &collections);
        buildTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
        checksum += qint64(rows.size());
    }
    const double raw = median(rawTimes), build = median(buildTimes);
    std::printf("files %d, average runs %d, repeats %d (median, warm cache)\n", files, averageRuns, kRepeats);
    std::printf("raw read (list, open, read, close): %8.1f ms\n", raw);
    std::printf("table build (scan + makeView):      %8.1f ms\n", build);
    std::printf("ratio build / raw read:             %8.2f\n", build / raw);
    std::printf("(checksum %lld)\n", static_cast<long long>(checksum));
    return 0;
}
