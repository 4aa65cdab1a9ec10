#pragma once
// Subcommands of qelviewer-cli. Each lives in its own cmd_*.cpp and registers itself
// with a static CommandRegistrar, so adding one touches no other file.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace qel::cli {

struct Command {
    QString name;
    QString usage;      // one or more lines, without the program name
    bool needsGui = false; // fonts and painting need a Gui application (offscreen)
    int order = 100;     // place in the usage text
    std::function<int(const QStringList &args)> run; // args after the command name
};

void registerCommand(Command command);
const std::vector<Command> &commands();

struct CommandRegistrar {
    explicit CommandRegistrar(Command command) { registerCommand(std::move(command)); }
};

constexpr int kOk = 0;
constexpr int kPartialFailure = 1; // output written, but some files could not be read
constexpr int kUsageOrFolderError = 2;

// Prints the message (if any) and the usage on standard error; returns 2.
int usageError(const QString &message = QString());
void printUsage(bool toStandardError);
// Prints "qelviewer-cli: <message>" on standard error; returns 2.
int fail(const QString &message);
void warn(const QString &message);

// Writes bytes or UTF-8 text to standard output.
void writeOut(const QByteArray &bytes);
void writeLine(const QString &text);

// Checks that FOLDER exists and can be listed; prints the error otherwise.
bool checkFolder(const QString &folder);
// "0", "1" or "2".
std::optional<int> parseGroup(const QString &text);

} // namespace qel::cli
