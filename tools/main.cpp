#include "tools/clicommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char **argv)
{
    using namespace qel::cli;
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty())
        return usageError(QStringLiteral("no command given"));
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printUsage(false);
        return kOk;
    }
    for (const Command &command : commands()) {
        if (command.name != args.first())
            continue;
        if (args.contains(QStringLiteral("--help"))) {
            printUsage(false);
            return kOk;
        }
        std::unique_ptr<QCoreApplication> app;
        if (command.needsGui) {
            // Painting needs fonts but no screen.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        return command.run(args.mid(1));
    }
    return usageError(QStringLiteral("unknown command: %1").arg(args.first()));
}
