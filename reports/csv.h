#pragma once
// The CSV form of learner-list rows, shared by the viewer's export and qelviewer-cli.

#include "records/attention.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

class QIODevice;

namespace qel::csv {

enum class Encoding { Cp932, Utf8 };

struct Row {
    QString name;
    std::array<QString, 7> cells; // mode, STEP, runs, total time, progress rate, best SPM, last practice
};

// "名前,モード,ステップ,練習回数,総練習時間,上達度,最高ＳＰＭ,最終練習日時"
QString headerLine();
// A field with a comma, a double quote or a line break goes in double quotes with inner
// quotes doubled; any other field is written as it is, blanks included.
QString field(const QString &text);
// A learner's name as a cell: learners name their own files, and a spreadsheet takes a cell
// that starts with = + - @, a tab or a CR as a formula, so such a name gets a leading
// apostrophe; a line break inside it becomes a space, so that one row stays one line.
// Every CSV output writes its name cells through this; figures never need it.
QString nameField(const QString &name);
QString rowLine(const Row &row);
// A line of cells whose first is a learner's name or a caption: that one through nameField,
// the others through field.
QString namedLine(const QStringList &cells);
// One line in the chosen encoding, ended by CR LF.
QByteArray encodeLine(const QString &line, Encoding encoding);
// The header and one line per row.
QByteArray document(const std::vector<Row> &rows, Encoding encoding);
// Lines of cells (the header among them), each through namedLine.
QByteArray document(const std::vector<QStringList> &lines, Encoding encoding);

// The class board: one line per tile, every state's reason in one field.
using NameOf = std::function<QString(const AttentionEntry &)>;
// "名前,モード,状態,理由,ステップ,最近のSPM,最近のミスタイプ率,最終練習日時"
QString boardHeaderLine();
QString boardLine(const AttentionEntry &entry, const QString &name);
// The header and one line per entry, named by `nameOf`.
QByteArray boardDocument(const std::vector<AttentionEntry> &entries, const NameOf &nameOf, Encoding encoding);

} // namespace qel::csv

namespace qel::csv {

// Writes the document to `path` through a temporary file in the same folder, replacing
// the target only when every line is written: a failure leaves an existing file as it was.
// `error` names the file and the reason. `afterLine` (for tests) is called after each line
// and may return false to make the write fail there.
bool saveFile(const QString &path, const std::vector<Row> &rows, Encoding encoding,
              QString *error = nullptr,
              const std::function<bool(int linesWritten)> &afterLine = {});
// The same for lines of cells, each through namedLine.
bool saveFile(const QString &path, const std::vector<QStringList> &lines, Encoding encoding,
              QString *error = nullptr);
// The class board's document, written the same way.
bool saveBoardFile(const QString &path, const std::vector<AttentionEntry> &entries, const NameOf &nameOf,
                   Encoding encoding, QString *error = nullptr);

} // namespace qel::csv
