#include "tools/clicommand.h"

#include "records/filenames.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace qel::cli {

namespace {
std::vector<Command> &registry()
{
    static std::vector<Command> all;
    return all;
}
}

void registerCommand(Command command)
{
    auto &all = registry();
    all.push_back(std::move(command));
    std::stable_sort(all.begin(), all.end(),
                     [](const Command &a, const Command &b) { return a.order < b.order; });
}

const std::vector<Command> &commands()
{
    return registry();
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : registry())
        if (c.name == name)
            return &c;
    return nullptr;
}

QCommandLineOption helpOption()
{
    return QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
}

void prepareParser(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(helpOption());
}

std::optional<int> parseArguments(const Command &command, const QStringList &args, QCommandLineParser &parser)
{
    prepareParser(parser);
    for (const Option &o : command.options)
        parser.addOption(o.needs ? QCommandLineOption(o.name, QString(), o.name) : QCommandLineOption(o.name));
    const bool parsed = parser.parse(QStringList{QStringLiteral("qelviewer-cli")} + args);
    if (parser.isSet(helpOption())) {
        printUsage(false);
        return kOk;
    }
    if (!parsed)
        return usageError(parseError(parser, args, command.options));
    return std::nullopt;
}

namespace {
// The option ARG names, without its dashes and a "=value"; empty for a plain argument.
QString optionName(const QString &arg)
{
    if (!arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-"))
        return QString();
    const QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.left(name.indexOf(QLatin1Char('=')));
}
}

QString parseError(const QCommandLineParser &parser, const QStringList &args, const std::vector<Option> &options)
{
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
        for (const QString &a : args)
            if (optionName(a) == unknown.first())
                return Tr::tr("unknown option: %1").arg(a.left(a.indexOf(QLatin1Char('='))));
        return Tr::tr("unknown option: %1").arg(QStringLiteral("--") + unknown.first());
    }
    // Only an option given last can lack its value.
    const QString last = args.isEmpty() ? QString() : optionName(args.last());
    for (const Option &o : options)
        if (o.needs && o.name == last)
            //: %1: an option, %2: what it needs ("a value", "0, 1 or 2").
            return Tr::tr("%1 needs %2").arg(QStringLiteral("--") + o.name, Tr::tr(o.needs));
    return parser.errorText();
}

void printUsage(bool toStandardError)
{
    //: Heading of the list of commands; the lines under it are not translated.
    QString text = Tr::tr("usage:") + QLatin1Char('\n');
    for (const Command &c : commands())
        for (const QString &line : c.usage.split(QLatin1Char('\n')))
            text += QStringLiteral("  qelviewer-cli ") + line + QLatin1Char('\n');
    text += QStringLiteral("  qelviewer-cli --help | --version\n");
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), toStandardError ? stderr : stdout);
}

int usageError(const QString &message)
{
    if (!message.isEmpty())
        std::fprintf(stderr, "qelviewer-cli: %s\n", message.toUtf8().constData());
    printUsage(true);
    return kUsageOrFolderError;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "qelviewer-cli: %s\n", message.toUtf8().constData());
    return kUsageOrFolderError;
}

void warn(const QString &message)
{
    std::fprintf(stderr, "qelviewer-cli: %s\n", message.toUtf8().constData());
}

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void writeLine(const QString &text)
{
    writeOut(text.toUtf8() + '\n');
}

bool finishOutput()
{
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout);
    if (failed)
        //: %1: the system's reason.
        fail(Tr::tr("cannot write to standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    return !failed;
}

bool warnUnreadable(const std::vector<UnreadableFile> &files)
{
    for (const UnreadableFile &file : files)
        //: %1: a file, %2: the system's reason.
        warn(Tr::tr("cannot read %1: %2").arg(shownPath(file.path), file.error));
    return !files.empty();
}

std::vector<UnreadableFile> unreadableRows(const QString &folder, const std::vector<TableRow> &rows)
{
    std::vector<UnreadableFile> files;
    for (const TableRow &row : rows)
        if (!row.readable)
            files.push_back({recordFolderPath(folder, row.key), row.error});
    return files;
}

bool checkFolder(const QString &folder)
{
    // Qt's file calls take the name in UTF-8 only; a folder whose name is not is checked
    // by its listing.
    if (holdsRawBytes(folder))
        return true;
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.exists()) {
        fail(Tr::tr("folder not found: %1").arg(folder));
        return false;
    }
    if (!info.isDir()) {
        fail(Tr::tr("not a folder: %1").arg(folder));
        return false;
    }
    QDir dir(folder);
    if (!info.isReadable() || !info.isExecutable() || !dir.isReadable()) {
        fail(Tr::tr("folder cannot be read: %1").arg(folder));
        return false;
    }
    return true;
}

bool checkListing(const QString &folder, const ListingStatus &listing)
{
    if (listing.complete())
        return true;
    if (listing.kind == ListingStatus::FolderMissing)
        fail(Tr::tr("folder not found: %1").arg(shownPath(folder)));
    else
        //: %1: the folder, %2: the system's reason.
        fail(Tr::tr("folder cannot be read to its end: %1: %2").arg(shownPath(folder), listing.error));
    return false;
}

QStringList learnersNamed(const std::vector<TreeNode> &nodes, const QString &name)
{
    QStringList exact, shown;
    for (const TreeNode &node : nodes) {
        const QString learner = learnerKeyOf(node.key);
        if (learner == name && !exact.contains(learner))
            exact << learner;
        else if (node.text == name && !shown.contains(learner))
            shown << learner;
    }
    return exact.isEmpty() ? shown : exact;
}

Option groupOption()
{
    return {QStringLiteral("group"), QT_TRANSLATE_NOOP("Cli", "0, 1 or 2")};
}

bool readGroup(const QCommandLineParser &args, std::optional<int> &group)
{
    if (!args.isSet(QStringLiteral("group")))
        return true;
    const QString text = args.value(QStringLiteral("group"));
    if (text != QLatin1String("0") && text != QLatin1String("1") && text != QLatin1String("2")) {
        //: %1: the value given.
        usageError(Tr::tr("--group needs 0, 1 or 2, not %1").arg(text));
        return false;
    }
    group = text.toInt();
    return true;
}

} // namespace qel::cli
