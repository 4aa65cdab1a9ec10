#include "records/learnertable.h"

#include "records/platform.h"

#include <algorithm>

namespace qel {

QString groupName(int group)
{
    switch (group) {
    case EnglishGroup: return QStringLiteral("英文");
    case KanaGroup: return QStringLiteral("かな/ローマ");
    default: return QStringLiteral("全体");
    }
}

QString recordFolderPath(const QString &folder, const QString &fileName)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

std::optional<RecordName> parseRecordFileName(const QString &fileName)
{
    const QString name = fileName.left(fileName.indexOf(QChar(0)) < 0 ? fileName.size()
                                                                      : fileName.indexOf(QChar(0)));
    const int dat = int(name.indexOf(QStringLiteral(".dat")));
    if (dat <= 0)
        return std::nullopt;
    const QString base = name.left(dat);
    const QChar code = base.back();
    const int marker = int(base.indexOf(QStringLiteral("_Qel")));
    // The marker must be written exactly so; without it there is no learner name.
    if (marker < 0 || (code != QLatin1Char('e') && code != QLatin1Char('k')))
        return std::nullopt;
    return RecordName{base.left(marker), code == QLatin1Char('e') ? English : Kana};
}

bool matchesRecordPattern(const QString &fileName)
{
    // "*_Qel?.dat", matched as the trainer's platform does: without regard to case.
    const qsizetype n = fileName.size();
    return n >= 9 && fileName.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive)
           && QStringView(fileName).mid(n - 9, 4).compare(QLatin1String("_Qel"), Qt::CaseInsensitive) == 0;
}

QString fileCountText(std::int64_t files)
{
    return QString::number(files) + QStringLiteral("個の成績データファイル");
}

namespace {
// UTF-16 units reordered so that surrogates (code points above U+FFFF) sort last.
inline unsigned codePointRank(char16_t unit)
{
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return unit + 0x2000u;
    if (unit >= 0xE000)
        return unit - 0x800u;
    return unit;
}

// Code-point order, so the rows stand the same way on every platform.
bool codePointLess(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x != y)
            return codePointRank(x) < codePointRank(y);
    }
    return a.size() < b.size();
}
}

ScanResult scanFolder(const QString &folder, int group)
{
    ScanResult result;
    result.rootText = groupName(group);
    const QString cut = folder.left(folder.indexOf(QChar(0)) < 0 ? folder.size() : folder.indexOf(QChar(0)));
    QStringList names;
    // Files only; what is not a regular file when its row is read counts as unreadable.
    if (cut.isEmpty() || !platform::listRegularFiles(cut, matchesRecordPattern, names)) {
        result.folderReadable = false;
    } else {
        std::sort(names.begin(), names.end(), codePointLess);
        for (const QString &fileName : names) {
            const auto parsed = parseRecordFileName(fileName);
            if (!parsed)
                continue;
            if ((parsed->course == English && group == KanaGroup)
                || (parsed->course == Kana && group == EnglishGroup))
                continue;
            result.nodes.push_back({fileName, parsed->learner, courseImage(parsed->course)});
        }
    }
    result.statusText = fileCountText(std::int64_t(result.nodes.size()));
    return result;
}

void eachFile(const QString &path, TableRow &row)
{
    QString error;
    const auto history = PracticeHistory::read(path, nullptr, &error);
    if (!history) {
        row.readable = false;
        row.error = error;
        for (int c = StepColumn; c <= DateColumn; ++c)
            row.cells[c].clear();
        row.sortValue = 0;
        row.passedStep = 0;
        row.runCount = 0;
        return;
    }
    const auto texts = paddedTexts(*history);
    for (int i = 0; i < 6; ++i)
        row.cells[StepColumn + i] = texts[i];
    row.readable = true;
    row.sortValue = history->progressRate();
    row.passedStep = history->passedStep();
    row.runCount = std::int32_t(std::min<std::int64_t>(history->runCount(), INT32_MAX));
}

TableRow rowForNode(const QString &folder, const TreeNode &node)
{
    TableRow row;
    row.key = node.key;
    row.name = node.text;
    row.icon = node.image;
    row.cells[CourseColumn] = courseListText(node.image == 4 ? English : Kana);
    eachFile(recordFolderPath(folder, node.key), row);
    return row;
}

std::vector<TableRow> makeView(const QString &folder, const std::vector<TreeNode> &nodes,
                               GroupCollections *collect, const ProgressHook &progress)
{
    std::vector<TableRow> rows;
    rows.reserve(nodes.size());
    if (collect) {
        collect->groupSteps.clear();
        collect->groupRunCounts.clear();
        collect->groupSteps.reserve(nodes.size());
        collect->groupRunCounts.reserve(nodes.size());
    }
    const int maximum = int(nodes.size()) + 1;
    if (progress)
        progress(0, maximum);
    for (const TreeNode &node : nodes) {
        rows.push_back(rowForNode(folder, node));
        // A file that could not be read has no figures to count.
        if (collect && rows.back().readable) {
            collect->groupSteps.push_back(rows.back().passedStep);
            collect->groupRunCounts.push_back(rows.back().runCount);
        }
        if (progress)
            progress(int(rows.size()), maximum);
    }
    return rows;
}

QString listTitleText()
{
    return QStringLiteral("各カラムをクリックするとその項目でソートされます。");
}

} // namespace qel
