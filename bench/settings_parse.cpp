// Reading settings files of distinct keys: the parse of the text and the chunked read of a
// file, for growing numbers of keys. Work per key stays the same when the parse is linear.
//
//   bench_settings_parse [repeats=5]

#include "records/inifile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray distinctKeys(int keys)
{
    QByteArray text = "[OPTION]\n";
    for (int i = 0; i < keys; ++i)
        text += 'k' + QByteArray::number(i) + "=1\n";
    return text + "Keyboard=0\n";
}

template <typename Work> double medianMs(int repeats, Work work)
{
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const qel::IniKey wanted[] = {{"OPTION", "Keyboard"}};
    std::printf("%10s %10s %12s %12s %14s\n", "keys", "bytes", "parse ms", "load ms", "parse ns/key");
    for (const int keys : {10000, 26214, 52428, 104857, 1048576}) {
        const QByteArray text = distinctKeys(keys);
        const QString path = dir.filePath(QStringLiteral("k%1.ini").arg(keys));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return 1;
        file.close();
        short seen = 0;
        const double parse = medianMs(repeats, [&] { seen += qel::IniFile::parse(text).integer("OPTION", "Keyboard", 2); });
        const double load = medianMs(repeats, [&] {
            if (const auto ini = qel::IniFile::load(path, wanted))
                seen += ini->integer("OPTION", "Keyboard", 2);
        });
        std::printf("%10d %10lld %12.1f %12.1f %14.0f\n", keys, static_cast<long long>(text.size()), parse, load,
                    parse * 1e6 / keys);
        if (seen != 0)
            return 1;
    }
    return 0;
}
