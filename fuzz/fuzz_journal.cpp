// The journal's database file as another program, a crash or a bad disk may leave it: the
// bytes are the file. Opening it either uses it or moves it aside whole and begins anew; a
// look is then written and read back, or the database is said to be unusable.

#include "fuzz/fuzzinput.h"
#include "history/journalstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>

using namespace qel;
using namespace qel::history;

namespace {
QCoreApplication *application = nullptr;
int runs = 0;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Qt SQL loads its driver through the application.
    static int argc = 1;
    static char name[] = "fuzz_journal";
    static char *argv[] = {name, nullptr};
    application = new QCoreApplication(argc, argv);
    std::atexit([] { delete application; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QDir run(qelfuzz::scratchFolder().filePath(QString::number(++runs)));
    FUZZ_CHECK(QDir().mkpath(run.path()));
    const QString path = run.filePath(QStringLiteral("history.db"));
    const QByteArray bytes = qelfuzz::wholeInput(data, size);
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    const qint64 now = 1795000000000;
    {
        JournalStore store(path);
        const Outcome opened = store.open(now);
        FUZZ_CHECK(opened.failure == Failure::None || opened.failure == Failure::Damaged
                   || opened.failure == Failure::Unavailable);
        if (opened.failure == Failure::Damaged) {
            // Moved aside as it was, not a byte lost.
            QFile aside(opened.movedAside);
            FUZZ_CHECK(aside.open(QIODevice::ReadOnly) && aside.readAll() == bytes);
        }
        if (store.isOpen()) {
            Observation o;
            o.key = QStringLiteral("taro_Qele.dat");
            o.runCount = 3;
            o.totalSeconds = 180;
            o.seen = now;
            const Outcome written = store.record({run.path(), AllGroup, now, {o}});
            // A sound database of another shape is unusable, never taken for damaged twice.
            FUZZ_CHECK(written.failure != Failure::Damaged || opened.failure != Failure::Damaged);
            if (written.failure == Failure::None) {
                const auto journal = store.read(run.path());
                FUZZ_CHECK(journal && journal->file(o.key) && !journal->file(o.key)->entries.empty());
                FUZZ_CHECK(journal->file(o.key)->entries.back().runCount == 3);
            }
        }
    }
    run.removeRecursively();
    return 0;
}
