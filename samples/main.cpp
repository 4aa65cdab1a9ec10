// qelviewer-samples OUTPUT_FOLDER [--seed N]: writes a sample RecordFolder.

#include "samples/generator.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

constexpr quint32 kDefaultSeed = 2026;

int fail(const QString &message)
{
    QTextStream(stderr) << "qelviewer-samples: " << message << '\n'
                        << "usage: qelviewer-samples OUTPUT_FOLDER [--seed N]\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString folder;
    quint32 seed = kDefaultSeed;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--seed")) {
            if (i + 1 >= args.size())
                return fail(QStringLiteral("--seed needs a number"));
            bool ok = false;
            const qulonglong value = args[++i].toULongLong(&ok, 10);
            if (!ok || value > 0xffffffffULL)
                return fail(QStringLiteral("--seed needs a number from 0 to 4294967295, not %1").arg(args[i]));
            seed = quint32(value);
        } else if (a.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("unknown option: %1").arg(a));
        } else if (folder.isEmpty()) {
            folder = a;
        } else {
            return fail(QStringLiteral("unexpected argument: %1").arg(a));
        }
    }
    if (folder.isEmpty())
        return fail(QStringLiteral("no OUTPUT_FOLDER given"));

    const qel::samples::GenerateResult result = qel::samples::generateFolder(folder, seed);
    if (!result.ok)
        return fail(result.error);
    QTextStream(stdout) << "wrote " << result.files << " files of " << result.learners
                        << " learners to " << folder << " (seed " << seed << ")\n";
    return 0;
}
