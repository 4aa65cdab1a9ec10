#include "reports/csv.h"

#include "records/cp932.h"

#include <QStringList>

namespace qel::csv {

QString headerLine()
{
    return QStringLiteral("名前,モード,ステップ,練習回数,総練習時間,上達度,最高ＳＰＭ,最終練習日時");
}

QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString nameField(const QString &name)
{
    QString text = name;
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!name.isEmpty() && kFormulaStarts.contains(name.front()))
        text.prepend(QLatin1Char('\''));
    return field(text);
}

QString rowLine(const Row &row)
{
    QString line = nameField(row.name);
    for (const QString &cell : row.cells)
        line += QLatin1Char(',') + field(cell);
    return line;
}

QString namedLine(const QStringList &cells)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i)
        line += (i == 0 ? nameField(cells[i]) : QLatin1Char(',') + field(cells[i]));
    return line;
}

QByteArray encodeLine(const QString &line, Encoding encoding)
{
    return (encoding == Encoding::Cp932 ? toCp932(line) : line.toUtf8()) + QByteArray("\r\n");
}

QByteArray document(const std::vector<Row> &rows, Encoding encoding)
{
    QByteArray bytes = encodeLine(headerLine(), encoding);
    for (const Row &row : rows)
        bytes += encodeLine(rowLine(row), encoding);
    return bytes;
}

QByteArray document(const std::vector<QStringList> &lines, Encoding encoding)
{
    QByteArray bytes;
    for (const QStringList &cells : lines)
        bytes += encodeLine(namedLine(cells), encoding);
    return bytes;
}

QString boardHeaderLine()
{
    return QStringLiteral("名前,モード,状態,理由,ステップ,最近のSPM,最近のミスタイプ率,最終練習日時");
}

QString boardLine(const AttentionEntry &entry, const QString &name)
{
    const Assessment &a = entry.assessment;
    const QStringList fields{
        courseListText(entry.course, Wording::Japanese),
        stateText(a, Wording::Japanese),
        reasonsText(a, Wording::Japanese),
        a.readable ? QString::number(entry.passedStep) : QString(),
        recentSpmText(a),
        recentMistypeText(a),
        entry.lastPractice,
    };
    QString line = nameField(name);
    for (const QString &text : fields)
        line += QLatin1Char(',') + field(text);
    return line;
}

QByteArray boardDocument(const std::vector<AttentionEntry> &entries, const NameOf &nameOf, Encoding encoding)
{
    QByteArray bytes = encodeLine(boardHeaderLine(), encoding);
    for (const AttentionEntry &entry : entries)
        bytes += encodeLine(boardLine(entry, nameOf(entry)), encoding);
    return bytes;
}

} // namespace qel::csv

#include "reports/outputfile.h"

#include <QIODevice>

namespace qel::csv {

namespace {
bool saveLines(const QString &path, const QStringList &lines, Encoding encoding, QString *error,
               const std::function<bool(int linesWritten)> &afterLine)
{
    return reports::saveWhole(
        path,
        [&](QIODevice &file) {
            int written = 0;
            for (const QString &line : lines) {
                const QByteArray bytes = encodeLine(line, encoding);
                if (file.write(bytes) != bytes.size())
                    return false;
                ++written;
                if (afterLine && !afterLine(written))
                    return false;
            }
            return true;
        },
        error);
}
} // namespace

bool saveFile(const QString &path, const std::vector<Row> &rows, Encoding encoding, QString *error,
              const std::function<bool(int linesWritten)> &afterLine)
{
    QStringList lines{headerLine()};
    for (const Row &row : rows)
        lines << rowLine(row);
    return saveLines(path, lines, encoding, error, afterLine);
}

bool saveFile(const QString &path, const std::vector<QStringList> &lines, Encoding encoding, QString *error)
{
    QStringList texts;
    for (const QStringList &cells : lines)
        texts << namedLine(cells);
    return saveLines(path, texts, encoding, error, {});
}

bool saveBoardFile(const QString &path, const std::vector<AttentionEntry> &entries, const NameOf &nameOf,
                   Encoding encoding, QString *error)
{
    QStringList lines{boardHeaderLine()};
    for (const AttentionEntry &entry : entries)
        lines << boardLine(entry, nameOf(entry));
    return saveLines(path, lines, encoding, error, {});
}

} // namespace qel::csv
