// The journal of a large class: what a look of FILES record files costs on the caller's
// thread (Journal::observe) and on the journal's thread (one transaction), for the first
// look, a look in which every file gained runs, and a live refresh in which one did; and the
// database's size per 10,000 observations. Medians of several repeats.
//
//   bench_journal [FILES=10000]

#include "history/journal.h"
#include "history/journalstore.h"
#include "records/learnertable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qel;
using namespace qel::history;

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The rows a table build of the folder gives at look `look`, three runs a look, when every
// file has practised since the look before, or only the first: the table kept the newest
// runs, so no file is read back.
std::vector<TableRow> rows(int files, int look, bool everyFile)
{
    std::vector<TableRow> out;
    out.reserve(std::size_t(files));
    for (int i = 0; i < files; ++i) {
        TableRow row;
        row.key = QStringLiteral("learner%1_Qel%2.dat").arg(i / 2, 6, 10, QLatin1Char('0')).arg(i % 2 ? QLatin1Char('k') : QLatin1Char('e'));
        row.name = row.key.left(13);
        const int gained = 3 * (everyFile || i == 0 ? look : std::max(look - 1, 0));
        row.runCount = 50 + (i % 300) + gained;
        row.totalSeconds = 90 * row.runCount;
        row.passedStep = 1 + i % 60 + look / 4;
        row.bestSpm = 200 + i % 100;
        for (int k = 0; k < RecentRuns::kKept; ++k)
            row.recent.samples[std::size_t(k)] = {std::int16_t(100 + (k * 7 + i) % 80), std::int16_t((k * 13) % 900)};
        row.recent.count = RecentRuns::kKept;
        row.recent.lastRun = row.runCount;
        out.push_back(std::move(row));
    }
    return out;
}

qint64 databaseBytes(const QString &path)
{
    return QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10000;
    constexpr int kRepeats = 5;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("RecordFolder"));
    std::printf("%d record files\n", files);

    // On the caller's thread and on the journal's, through the Journal.
    {
        std::vector<double> first, every, one, written;
        qint64 clock = QDateTime(QDate(2026, 11, 16), QTime(9, 0)).toMSecsSinceEpoch();
        for (int repeat = 0; repeat < kRepeats; ++repeat) {
            JournalSettings settings;
            settings.path = dir.filePath(QStringLiteral("async%1.db").arg(repeat));
            settings.clock = [&clock] { return clock; };
            Journal journal(settings);
            QEventLoop loop;
            QObject::connect(&journal, &Journal::handled, &loop, &QEventLoop::quit);
            const auto look = [&](int n, bool everyFile, std::vector<double> &callerTimes) {
                const std::vector<TableRow> table = rows(files, n, everyFile);
                clock += 60 * 1000;
                QElapsedTimer timer;
                timer.start();
                journal.observe(folder, AllGroup, table);
                callerTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
                loop.exec();
                return double(timer.nsecsElapsed()) / 1e6;
            };
            look(0, true, first);
            written.push_back(look(1, true, every));
            look(2, false, one);
        }
        std::printf("Journal::observe on the caller's thread: first look %.2f ms, every file changed %.2f ms, "
                    "one file changed %.2f ms\n",
                    median(first), median(every), median(one));
        std::printf("  caller's call to written, every file changed: %.1f ms\n", median(written));
    }

    // The journal's thread alone: one transaction per look, synchronously.
    {
        std::vector<double> first, every, one;
        for (int repeat = 0; repeat < kRepeats; ++repeat) {
            JournalStore store(dir.filePath(QStringLiteral("sync%1.db").arg(repeat)));
            store.open(0);
            const auto record = [&](int n, bool everyFile, std::vector<double> &times) {
                Batch batch{folder, AllGroup, 1000000 + n * 60000 + (everyFile ? 0 : 1), {}};
                for (const TableRow &row : rows(files, n, everyFile))
                    batch.files.push_back(*observationOf(row, batch.seen));
                QElapsedTimer timer;
                timer.start();
                if (!store.record(batch))
                    std::printf("  a look failed\n");
                times.push_back(double(timer.nsecsElapsed()) / 1e6);
            };
            record(0, true, first);
            record(1, true, every);
            record(2, false, one);
        }
        std::printf("JournalStore::record on the journal's thread: first look %.1f ms, every file changed %.1f ms, "
                    "one file changed %.1f ms\n",
                    median(first), median(every), median(one));
    }

    // Size: a first look, then looks in which every file changed.
    {
        const QString path = dir.filePath(QStringLiteral("size.db"));
        constexpr int kLooks = 10;
        qint64 afterFirst = 0;
        {
            JournalStore store(path);
            store.open(0);
            for (int n = 0; n <= kLooks; ++n) {
                Batch batch{folder, AllGroup, 1000000 + qint64(n) * 60000, {}};
                for (const TableRow &row : rows(files, n, true))
                    batch.files.push_back(*observationOf(row, batch.seen));
                store.record(batch);
                if (n == 0) {
                    afterFirst = databaseBytes(path);
                }
            }
        }
        const qint64 total = databaseBytes(path); // closed: the WAL is back in the file
        const double observations = double(files) * (kLooks + 1);
        std::printf("database: %.2f MB for %.0f observations of %d files, %.0f KB per 10,000 observations "
                    "(first look with its files: %.0f KB)\n",
                    double(total) / 1e6, observations, files, double(total) / observations * 10000 / 1024,
                    double(afterFirst) / 1024);
    }
    return 0;
}
