#include "tools/clicommand.h"

#include "base/runtimefolder.h"
#include "config/language.h"
#include "records/filenames.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char **argv)
{
    using namespace qel::cli;
    QCoreApplication::setApplicationName(QStringLiteral("qelviewer-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QEL_VERSION));
    QStringList args;
    for (int i = 1; i < argc; ++i) {
#ifdef Q_OS_WIN
        args << QString::fromLocal8Bit(argv[i]);
#else
        // A folder or name in any bytes reaches its files by exactly those bytes.
        args << qel::fileNameFromBytes(QByteArray(argv[i]));
#endif
    }

    // Program options come before the command; everything after it is the command's.
    QCommandLineParser parser;
    prepareParser(parser);
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(version);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const bool parsed = parser.parse(QStringList{QStringLiteral("qelviewer-cli")} + args);
    const QStringList rest = parser.positionalArguments();
    const Command *command = parsed && !rest.isEmpty() ? findCommand(rest.first()) : nullptr;

    // Qt gets none of the arguments: a name or folder is never taken for one of its options.
    // The application comes before the first message, which is in the user's language.
    int qtArgc = 1;
    std::unique_ptr<QTemporaryDir> runtimeFolder;
    std::unique_ptr<QCoreApplication> app;
    if (command && command->needsGui) {
        // Painting needs fonts but no screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        runtimeFolder = qel::provideRuntimeFolder();
        app = std::make_unique<QGuiApplication>(qtArgc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(qtArgc, argv);
    }
    qel::installLanguage(qel::startLanguage());

    if (parser.isSet(helpOption())) {
        printUsage(false);
        return finishOutput() ? kOk : kUsageOrFolderError;
    }
    if (!parsed)
        return usageError(parseError(parser, args));
    if (parser.isSet(version)) {
        writeLine(QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion());
        return finishOutput() ? kOk : kUsageOrFolderError;
    }
    if (rest.isEmpty())
        return usageError(Tr::tr("no command given"));
    if (!command)
        return usageError(Tr::tr("unknown command: %1").arg(rest.first()));

    QCommandLineParser commandArgs;
    if (const auto ended = parseArguments(*command, rest.mid(1), commandArgs))
        return finishOutput() ? *ended : kUsageOrFolderError;
    const int status = command->run(commandArgs);
    // Output that did not all arrive is a failure, whatever the command made of it.
    return finishOutput() ? status : kUsageOrFolderError;
}
