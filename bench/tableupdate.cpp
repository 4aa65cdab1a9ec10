// Keeping the learner table of a large folder up to date: the periodic check (listing the
// record files with their identities, no file opened), and an update after one record
// file gained a run, against a full scan and build. Medians of several repeats.
//
//   bench_tableupdate [FILES=10000] [FOLDER]   (an existing FOLDER is used as it is)

#include "records/learnertable.h"
#include "samples/recordwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString fileName(int i)
{
    return QStringLiteral("learner%1_Qel%2.dat").arg(i / 2, 6, 10, QLatin1Char('0')).arg(i % 2 ? QLatin1Char('k') : QLatin1Char('e'));
}

void makeFolder(const QString &folder, int files)
{
    for (int i = 0; i < files; ++i) {
        qel::samples::RecordContent c;
        const int runs = (i * 37) % 300;
        c.currentStep = std::uint16_t(1 + i % 60);
        c.totalSeconds = runs * 90;
        for (int k = 0; k < runs; ++k)
            c.runs.push_back({std::int16_t(60 + k / 3 + (k * 7) % 11), std::int16_t((k * 13) % 900)});
        // An hour old, as a class's files are between runs.
        qel::samples::writeFile(QDir(folder).filePath(fileName(i)), qel::samples::recordBytes(c),
                                QDateTime::currentDateTime().addSecs(-3600));
    }
}


} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10000;
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    if (!QDir(folder).exists(fileName(0))) {
        QDir().mkpath(folder);
        makeFolder(folder, files);
    }

    constexpr int kRepeats = 9;
    std::vector<double> listing, full, update;
    int read = 0;
    std::size_t rowCount = 0;
    qel::GroupCollections collections;
    qel::TableUpdate table = qel::updateTable(folder, qel::AllGroup, {}, {&collections, false, {}});
    for (int r = 0; r < kRepeats; ++r) {
        QElapsedTimer timer;
        timer.start();
        const qel::FolderListing listed = qel::listGroupFiles(folder, qel::AllGroup);
        listing.push_back(double(timer.nsecsElapsed()) / 1e6);
        rowCount = listed.size();

        if (!qel::samples::appendRun(QDir(folder).filePath(fileName(r * 7 % files)))) {
            std::fprintf(stderr, "cannot change a file\n");
            return 1;
        }
        timer.start();
        qel::UpdateOptions options;
        options.collect = &collections;
        options.nodes = &table.scan.nodes;
        qel::TableUpdate updated = qel::updateTable(folder, qel::AllGroup, table.rows, options);
        update.push_back(double(timer.nsecsElapsed()) / 1e6);
        read = int(updated.reread.size());
        table = std::move(updated);

        timer.start();
        const qel::ScanResult scan = qel::scanFolder(folder, qel::AllGroup);
        const auto rows = qel::makeView(folder, scan.nodes, &collections);
        full.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("files %zu, repeats %d (median, warm cache)\n", rowCount, kRepeats);
    std::printf("check (list with identities):   %8.2f ms\n", median(listing));
    std::printf("update after one changed file:  %8.2f ms (%d file(s) read)\n", median(update), read);
    std::printf("full scan and build:            %8.2f ms\n", median(full));
    return 0;
}
