// Feeds inputs kept from fuzzing to a fuzz target once each, as libFuzzer replays them, so
// that every build tests them, with or without libFuzzer.
//
// replay_<target> [--rss-limit-mb=N] PATH...: a PATH is a file or a folder whose files (not
// the hidden ones) are fed in name order. Fails when a target check fails (it aborts), when
// no input was found, or when the process's peak memory passes the limit; with the address
// sanitizer also at any single allocation above 256 MiB, as the fuzzing runs do.

#include "fuzz/fuzzinput.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <cstring>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QEL_REPLAY_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QEL_REPLAY_ASAN 1
#endif

#if defined(QEL_REPLAY_ASAN)
// An allocation sized by what a file claims is reserved, not touched: the peak memory would
// not show it.
extern "C" const char *__asan_default_options()
{
    return "max_allocation_size_mb=256";
}
#endif

namespace {

// Peak resident memory of this process in MiB; -1 where the platform does not tell.
long peakMemoryMib()
{
#if defined(Q_OS_UNIX)
    rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) == 0)
        return usage.ru_maxrss / 1024; // KiB on Linux
#endif
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    long limitMib = 0;
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strncmp(arg, "--rss-limit-mb=", 15) == 0) {
            limitMib = std::atol(arg + 15);
            continue;
        }
        const QString path = QFile::decodeName(arg);
        const QFileInfo info(path);
        if (info.isDir()) {
            const QDir dir(path);
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                files << dir.filePath(name);
        } else if (info.isFile()) {
            files << path;
        } else {
            std::fprintf(stderr, "no such input: %s\n", arg);
            return 2;
        }
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "no inputs\n");
        return 2;
    }
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 2;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "Running: %s\n", qPrintable(path));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                               std::size_t(bytes.size()));
        const long peak = peakMemoryMib();
        if (limitMib > 0 && peak > limitMib) {
            std::fprintf(stderr, "%s: peak memory %ld MiB, above the limit of %ld MiB\n",
                         qPrintable(path), peak, limitMib);
            return 1;
        }
    }
    std::fprintf(stderr, "%lld inputs, peak memory %ld MiB\n", static_cast<long long>(files.size()),
                 peakMemoryMib());
    return 0;
}
