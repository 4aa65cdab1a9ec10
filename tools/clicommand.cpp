#include "tools/clicommand.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

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

void printUsage(bool toStandardError)
{
    QString text = QStringLiteral("usage:\n");
    for (const Command &c : commands())
        for (const QString &line : c.usage.split(QLatin1Char('\n')))
            text += QStringLiteral("  qelviewer-cli ") + line + QLatin1Char('\n');
    text += QStringLiteral("  qelviewer-cli --help\n");
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

bool checkFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.exists()) {
        fail(QStringLiteral("folder not found: %1").arg(folder));
        return false;
    }
    if (!info.isDir()) {
        fail(QStringLiteral("not a folder: %1").arg(folder));
        return false;
    }
    QDir dir(folder);
    if (!info.isReadable() || !info.isExecutable() || !dir.isReadable()) {
        fail(QStringLiteral("folder cannot be read: %1").arg(folder));
        return false;
    }
    return true;
}

std::optional<int> parseGroup(const QString &text)
{
    if (text == QLatin1String("0") || text == QLatin1String("1") || text == QLatin1String("2"))
        return text.toInt();
    return std::nullopt;
}

} // namespace qel::cli
