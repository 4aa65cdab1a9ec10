#pragma once
// Subcommands of qelviewer-cli. Each lives in its own cmd_*.cpp and registers itself
// with a static CommandRegistrar, so adding one touches no other file.

#include "records/learnertable.h"
#include "records/readingfile.h"
#include "reports/csv.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace qel::cli {

// The tool's messages, written in English and translated.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// An option of a command, named without its dashes. One that takes a value says what it
// needs, for the message when the value is missing (marked with QT_TRANSLATE_NOOP in "Cli",
// since commands are made before any translation is installed); a switch leaves it empty.
struct Option {
    QString name;
    const char *needs = nullptr;
};

struct Command {
    QString name;
    QString usage;      // one or more lines, without the program name
    bool needsGui = false; // fonts and painting need a Gui application (offscreen)
    int order = 100;     // place in the usage text
    std::vector<Option> options; // --help comes with every command
    // Gets the parsed options and the positional arguments after the command name.
    std::function<int(const QCommandLineParser &args)> run;
};

void registerCommand(Command command);
const std::vector<Command> &commands();
const Command *findCommand(const QString &name);

// The options every parser of the program knows; options are also taken with one dash.
QCommandLineOption helpOption();
void prepareParser(QCommandLineParser &parser);
// Parses ARGS, the arguments after the command name, with the command's options. Returns the
// exit status when that already ends the run: 0 after printing the usage for --help, 2 after
// a wrong option.
std::optional<int> parseArguments(const Command &command, const QStringList &args,
                                  QCommandLineParser &parser);
// The message for a failed parse of ARGS: an unknown option, a missing value, or Qt's text.
QString parseError(const QCommandLineParser &parser, const QStringList &args,
                   const std::vector<Option> &options = {});

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
// Flushes standard output; false, after printing why, when any of it could not be written
// (a full disk, /dev/full, a closed pipe).
bool finishOutput();
// Names each file that could not be read on standard error; true when there was any.
bool warnUnreadable(const std::vector<UnreadableFile> &files);
// The record files of the rows that could not be read.
std::vector<UnreadableFile> unreadableRows(const QString &folder, const std::vector<TableRow> &rows);

// Writes the rows as the viewer's CSV export does, naming each file that could not be read
// on standard error; false when there was one.
bool writeTable(const QString &folder, const std::vector<TableRow> &rows, csv::Encoding encoding);
// The rows as that CSV document.
QByteArray tableDocument(const std::vector<TableRow> &rows, csv::Encoding encoding);

// The FOLDER, --group and --utf8 that table and watch take.
struct TableArgs {
    QString folder;
    int group = AllGroup;
    csv::Encoding encoding = csv::Encoding::Cp932;
};
// Reads them for `command`; the exit status when they are wrong (after saying why).
std::optional<int> readTableArgs(const QCommandLineParser &args, const QString &command, TableArgs &out);

// Checks that FOLDER exists and can be listed; prints the error otherwise.
bool checkFolder(const QString &folder);
// False, after printing why, when the listing of FOLDER was not complete: a part of a folder
// is not its learners.
bool checkListing(const QString &folder, const ListingStatus &listing);
// The learner keys (RecordName) a NAME given on the command line stands for: the learner
// whose files are named by exactly these bytes, else every learner of that name as shown.
QStringList learnersNamed(const std::vector<TreeNode> &nodes, const QString &name);
// --group 0|1|2, shared by the commands that take a group.
Option groupOption();
// Puts the group given into GROUP (left alone without --group). False, after printing the
// error with the usage, for any other value.
bool readGroup(const QCommandLineParser &args, std::optional<int> &group);

} // namespace qel::cli
