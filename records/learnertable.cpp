#include "records/learnertable.h"

#include "records/concurrent.h"
#include "records/cp932.h"
#include "records/filenames.h"
#include "records/platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QHash>
#include <algorithm>

namespace qel {

QString groupName(int group)
{
    switch (group) {
    //: The group of the learners of the English course (tree root, headings).
    case EnglishGroup: return QCoreApplication::translate("LearnerTable", "英文");
    //: The group of the learners of the kana/romaji course (tree root, headings).
    case KanaGroup: return QCoreApplication::translate("LearnerTable", "かな/ローマ");
    //: The group of all learners (tree root, headings).
    default: return QCoreApplication::translate("LearnerTable", "全体");
    }
}

QString recordFolderPath(const QString &folder, const QString &fileName)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + fileName;
    return folder + QLatin1Char('/') + fileName;
}

namespace {
// What a Windows call would see of a text: the part before its first NUL.
QString cutAtNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}
} // namespace

namespace {
// A name in code page 932, split where its characters start: a second byte that looks like
// "_" or "e" is half of a character, not part of the marker or the Course code.
std::optional<RecordName> parseCp932Name(const QByteArray &bytes)
{
    qsizetype dat = -1, marker = -1, last = -1;
    for (qsizetype at = 0; at < bytes.size();) {
        const QByteArrayView rest = QByteArrayView(bytes).sliced(at);
        if (rest.startsWith(".dat")) {
            dat = at;
            break;
        }
        if (marker < 0 && rest.startsWith("_Qel"))
            marker = at;
        last = at;
        at += isCp932LeadByte(static_cast<unsigned char>(bytes[at])) && at + 1 < bytes.size() ? 2 : 1;
    }
    // The code is the last character before ".dat", one byte; the marker lies before it.
    if (dat <= 0 || marker < 0 || marker + 4 > dat || dat - last != 1)
        return std::nullopt;
    const char code = bytes[last];
    if (code != 'e' && code != 'k')
        return std::nullopt;
    const QByteArray learner = bytes.left(marker);
    return RecordName{fromCp932(learner), fileNameFromBytes(learner), code == 'e' ? English : Kana};
}
} // namespace

std::optional<RecordName> parseRecordFileName(const QString &fileName)
{
    const QString name = cutAtNul(fileName);
    if (holdsRawBytes(name))
        return parseCp932Name(fileNameToBytes(name));
    const int dat = int(name.indexOf(QStringLiteral(".dat")));
    if (dat <= 0)
        return std::nullopt;
    const QString base = name.left(dat);
    const QChar code = base.back();
    const int marker = int(base.indexOf(QStringLiteral("_Qel")));
    // The marker must be written exactly so; without it there is no learner name.
    if (marker < 0 || (code != QLatin1Char('e') && code != QLatin1Char('k')))
        return std::nullopt;
    const QString learner = base.left(marker);
    return RecordName{learner, learner, code == QLatin1Char('e') ? English : Kana};
}

QString learnerKeyOf(const QString &recordKey)
{
    const auto name = parseRecordFileName(recordKey);
    return name ? name->learnerKey : QString();
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
    //: Status bar: how many record files the list holds.
    return QCoreApplication::translate("LearnerTable", "%n個の成績データファイル", nullptr, int(files));
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

// Record files by the name a person reads, and names that read alike by their keys.
struct ScanOrder {
    QString shown;
    QString key;
    bool operator<(const ScanOrder &other) const
    {
        if (shown != other.shown)
            return codePointLess(shown, other.shown);
        return codePointLess(key, other.key);
    }
};

std::vector<ScanOrder> inScanOrder(std::vector<ScanOrder> names)
{
    std::sort(names.begin(), names.end());
    return names;
}
}

namespace {
bool inGroup(const QString &name, int group)
{
    if (!matchesRecordPattern(name))
        return false;
    const auto parsed = parseRecordFileName(name);
    return parsed && !(parsed->course == English && group == KanaGroup)
           && !(parsed->course == Kana && group == EnglishGroup);
}

// The tree of a group from a listing of its record files; no nodes from a listing that did
// not complete.
ScanResult scanOf(const FolderListing &listing, const ListingStatus &status, int group)
{
    ScanResult result;
    result.rootText = groupName(group);
    result.listing = status;
    if (status.complete()) {
        std::vector<ScanOrder> names;
        names.reserve(listing.size());
        for (const ListedFile &file : listing)
            names.push_back({shownFileName(file.name), file.name});
        names = inScanOrder(std::move(names));
        result.nodes.reserve(names.size());
        for (const ScanOrder &name : names) {
            if (const auto parsed = parseRecordFileName(name.key))
                result.nodes.push_back({name.key, parsed->learner, courseImage(parsed->course)});
        }
    }
    result.statusText = fileCountText(std::int64_t(result.nodes.size()));
    return result;
}

// The rows, in any order, in the order of a scan: what the table is when nothing changed.
void keepRows(const std::vector<TableRow> &rows, std::vector<TableRow> &ordered, std::vector<TreeNode> &nodes)
{
    std::vector<ScanOrder> names;
    names.reserve(rows.size());
    QHash<QString, const TableRow *> byKey;
    byKey.reserve(qsizetype(rows.size()));
    for (const TableRow &row : rows) {
        names.push_back({shownFileName(row.key), row.key});
        byKey.insert(row.key, &row);
    }
    ordered.reserve(rows.size());
    nodes.reserve(rows.size());
    for (const ScanOrder &name : inScanOrder(std::move(names))) {
        const TableRow &row = *byKey.value(name.key);
        ordered.push_back(row);
        nodes.push_back({row.key, row.name, row.icon});
    }
}
} // namespace

ScanResult scanFolder(const QString &folder, int group)
{
    FolderListing listed;
    // Names only: each file's identity comes from its handle when its row is read.
    // Files only; what is not a regular file when its row is read counts as unreadable.
    const ListingStatus status = platform::listFiles(
        cutAtNul(folder), [group](const QString &name) { return inGroup(name, group); }, listed, false);
    return scanOf(listed, status, group);
}

namespace {
// Keeps the last runs that stream past.
class RecentKeeper : public RunVisitor {
public:
    void runs(std::int64_t first, std::span<const RunSample> samples) override
    {
        const std::size_t take = std::min<std::size_t>(samples.size(), RecentRuns::kKept);
        const std::size_t keep = std::min<std::size_t>(std::size_t(kept.count), RecentRuns::kKept - take);
        // The runs kept before that still fit move to the front, the chunk's tail follows.
        std::copy(kept.samples.begin() + (kept.count - int(keep)), kept.samples.begin() + kept.count,
                  kept.samples.begin());
        std::copy(samples.end() - std::ptrdiff_t(take), samples.end(), kept.samples.begin() + std::ptrdiff_t(keep));
        kept.count = int(keep + take);
        kept.lastRun = first + std::int64_t(samples.size()) - 1;
    }
    RecentRuns kept;
};
} // namespace

void eachFile(const QString &path, TableRow &row)
{
    QString error;
    row.readAt = QDateTime::currentMSecsSinceEpoch();
    RecentKeeper recent;
    const auto history = PracticeHistory::read(path, &recent, &error);
    if (!history) {
        row.identity.reset();
        row.readable = false;
        row.error = error;
        for (int c = StepColumn; c <= DateColumn; ++c)
            row.cells[c].clear();
        row.sortValue = 0;
        row.passedStep = 0;
        row.runCount = 0;
        row.totalSeconds = 0;
        row.bestSpm = 0;
        row.recent = {};
        return;
    }
    const auto texts = paddedTexts(*history);
    for (int i = 0; i < 6; ++i)
        row.cells[StepColumn + i] = texts[i];
    row.readable = true;
    row.error.clear();
    row.identity = history->identity();
    row.sortValue = history->progressRate();
    row.passedStep = history->passedStep();
    row.runCount = std::int32_t(std::min<std::int64_t>(history->runCount(), INT32_MAX));
    row.totalSeconds = history->totalSeconds();
    row.bestSpm = history->bestSpm();
    row.recent = recent.kept;
}

TableRow rowForNode(const QString &folder, const TreeNode &node)
{
    TableRow row;
    row.key = node.key;
    row.name = node.text;
    row.icon = node.image;
    row.cells[CourseColumn] = courseListText(node.image == 4 ? English : Kana, Wording::Japanese);
    eachFile(recordFolderPath(folder, node.key), row);
    return row;
}

namespace {
// A file that could not be read has no figures to count.
void fillCollections(const std::vector<TableRow> &rows, GroupCollections &collect)
{
    collect.groupSteps.clear();
    collect.groupRunCounts.clear();
    collect.groupSteps.reserve(rows.size());
    collect.groupRunCounts.reserve(rows.size());
    for (const TableRow &row : rows) {
        if (!row.readable)
            continue;
        collect.groupSteps.push_back(row.passedStep);
        collect.groupRunCounts.push_back(row.runCount);
    }
}
} // namespace

std::vector<TableRow> makeView(const QString &folder, const std::vector<TreeNode> &nodes,
                               GroupCollections *collect, const ProgressHook &progress)
{
    const int maximum = int(nodes.size()) + 1;
    if (progress)
        progress(0, maximum);
    std::vector<TableRow> rows(nodes.size());
    forEachFile(
        nodes.size(), [&](std::size_t i) { rows[i] = rowForNode(folder, nodes[i]); },
        [&](std::size_t ended) {
            if (progress)
                progress(int(ended), maximum);
        });
    if (collect)
        fillCollections(rows, *collect);
    return rows;
}

GroupView viewOfGroup(const ScanResult &allScan, const std::vector<TableRow> &allRows, int group)
{
    GroupView view;
    view.scan.rootText = groupName(group);
    view.scan.listing = allScan.listing;
    const bool all = group != EnglishGroup && group != KanaGroup;
    const int image = group == EnglishGroup ? courseImage(English) : courseImage(Kana);
    if (all) {
        view.scan.nodes = allScan.nodes;
        view.rows = allRows;
    } else {
        for (std::size_t i = 0; i < allScan.nodes.size(); ++i) {
            if (allScan.nodes[i].image != image)
                continue;
            view.scan.nodes.push_back(allScan.nodes[i]);
            if (i < allRows.size())
                view.rows.push_back(allRows[i]);
        }
    }
    view.scan.statusText = fileCountText(std::int64_t(view.scan.nodes.size()));
    fillCollections(view.rows, view.collections);
    return view;
}

QString listTitleText()
{
    //: Title above the learner list.
    return QCoreApplication::translate("LearnerTable", "各カラムをクリックするとその項目でソートされます。");
}

QString shownCell(const TableRow &row, Column column)
{
    if (column == CourseColumn)
        return courseListText(row.icon == courseImage(Kana) ? Kana : English);
    return row.cells[std::size_t(column)];
}

// ---------------------------------------------------------------- keeping a table up to date

namespace {

// A file time can be this much coarser than the clock that reads it.
constexpr qint64 kTimeSlackMSecs = 3000;
// A file time further ahead than this is another clock's, not a write in progress.
constexpr qint64 kClockSkewMSecs = 60000;

bool sameTexts(const TableRow &a, const TableRow &b)
{
    return a.name == b.name && a.icon == b.icon && a.cells == b.cells && a.readable == b.readable;
}

} // namespace

FolderListing listGroupFiles(const QString &folder, int group, ListingStatus *status,
                             const std::atomic<bool> *stop, const std::function<void(int value, int maximum)> &progress)
{
    FolderListing listing;
    const QString cut = cutAtNul(folder);
    const ListingStatus listed = platform::listFiles(
        cut, [group](const QString &name) { return inGroup(name, group); }, listing, false);
    if (status)
        *status = listed;
    if (!listed.complete()) {
        listing.clear();
        return listing;
    }
    // The names come in one call per many files; each identity is a call of its own, so
    // those go side by side.
    std::vector<std::size_t> unknown;
    for (std::size_t i = 0; i < listing.size(); ++i)
        if (listing[i].identity.size < 0)
            unknown.push_back(i);
    std::vector<char> gone(listing.size(), 0);
    forEachFile(
        unknown.size(),
        [&](std::size_t k) {
            ListedFile &file = listing[unknown[k]];
            if (!platform::identifyFile(recordFolderPath(cut, file.name), file.identity))
                gone[unknown[k]] = 1;
        },
        [&](std::size_t ended) {
            if (progress)
                progress(int(ended), int(unknown.size()) + 1);
        },
        stop);
    // A file that went between the names and its identity is not listed.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < listing.size(); ++i)
        if (!gone[i])
            listing[kept++] = std::move(listing[i]);
    listing.resize(kept);
    return listing;
}

bool sameFiles(const FolderListing &a, const FolderListing &b)
{
    if (a.size() != b.size())
        return false;
    // An unchanged folder lists in the same order; only a changed one needs the lookup.
    if (a == b)
        return true;
    QHash<QString, const FileIdentity *> byName;
    byName.reserve(qsizetype(a.size()));
    for (const ListedFile &file : a)
        byName.insert(file.name, &file.identity);
    for (const ListedFile &file : b) {
        const auto found = byName.constFind(file.name);
        if (found == byName.cend() || !(**found == file.identity))
            return false;
    }
    return true;
}

std::optional<qint64> unsettledUntil(const TableRow &row)
{
    if (!row.identity)
        return std::nullopt;
    const qint64 modified = row.identity->modifiedMSecs();
    if (modified <= row.readAt - kTimeSlackMSecs || modified > row.readAt + kClockSkewMSecs)
        return std::nullopt;
    return modified + kTimeSlackMSecs;
}

FolderListing listingOf(const std::vector<TableRow> &rows)
{
    FolderListing listing;
    listing.reserve(rows.size());
    for (const TableRow &row : rows)
        if (row.identity)
            listing.push_back({row.key, *row.identity});
    return listing;
}

std::optional<qint64> settlesAt(const std::vector<TableRow> &rows)
{
    std::optional<qint64> first;
    for (const TableRow &row : rows)
        if (const auto until = unsettledUntil(row); until && (!first || *until < *first))
            first = until;
    return first;
}

TableUpdate updateTable(const QString &folder, int group, const std::vector<TableRow> &previous,
                        const UpdateOptions &options)
{
    TableUpdate update;
    // Listed before anything is read: a file that changes after this is seen by the next
    // listing, never hidden behind a row read earlier.
    ListingStatus status;
    update.listing = options.listing ? *options.listing : listGroupFiles(folder, group, &status, options.stop);
    if (!status.complete()) {
        // What could not be listed is not known to be gone: the table stays as it was.
        update.scan.rootText = groupName(group);
        keepRows(previous, update.rows, update.scan.nodes);
        update.nodesKept = options.nodes && options.nodes->size() == update.scan.nodes.size()
                           && std::equal(options.nodes->begin(), options.nodes->end(), update.scan.nodes.begin(),
                                         [](const TreeNode &a, const TreeNode &b) { return a.key == b.key; });
        update.scan.statusText = fileCountText(std::int64_t(update.scan.nodes.size()));
        update.scan.listing = status;
        update.listing = listingOf(previous);
        update.settlesAt = settlesAt(previous);
        if (options.collect)
            fillCollections(update.rows, *options.collect);
        return update;
    }
    QHash<QString, const FileIdentity *> listed;
    listed.reserve(qsizetype(update.listing.size()));
    for (const ListedFile &file : update.listing)
        listed.insert(file.name, &file.identity);

    // The same record files as before give the same nodes: the scan depends on the names alone.
    bool sameNames = options.nodes && !listed.isEmpty() && std::size_t(listed.size()) == options.nodes->size();
    for (std::size_t i = 0; sameNames && i < options.nodes->size(); ++i)
        sameNames = listed.contains((*options.nodes)[i].key);
    if (sameNames) {
        update.nodesKept = true;
        update.scan.rootText = groupName(group);
        update.scan.nodes = *options.nodes;
        update.scan.statusText = fileCountText(std::int64_t(update.scan.nodes.size()));
    } else {
        // The listing names the group's files already; listing again could see other ones.
        update.scan = scanOf(update.listing, status, group);
    }

    QHash<QString, std::size_t> before; // made at the first row not found in its place

    const std::size_t count = update.scan.nodes.size();
    update.rows.resize(count);
    std::vector<const TableRow *> keptRows(count, nullptr);
    for (std::size_t at = 0; at < count; ++at) {
        const TreeNode &node = update.scan.nodes[at];
        // Rows given in the nodes' order are found in their place.
        const TableRow *kept = nullptr;
        if (at < previous.size() && previous[at].key == node.key) {
            kept = &previous[at];
        } else {
            if (before.isEmpty()) {
                before.reserve(qsizetype(previous.size()));
                for (std::size_t i = 0; i < previous.size(); ++i)
                    before.insert(previous[i].key, i);
            }
            if (const auto old = before.constFind(node.key); old != before.cend())
                kept = &previous[*old];
        }
        keptRows[at] = kept;
        const auto identity = listed.constFind(node.key);
        const bool unchanged = kept && !options.everything && kept->identity && identity != listed.cend()
                               && **identity == *kept->identity && !unsettledUntil(*kept);
        if (unchanged)
            update.rows[at] = *kept;
        else
            update.reread.push_back(at);
    }

    const int maximum = int(count) + 1;
    const int keptCount = int(count - update.reread.size());
    if (options.progress)
        options.progress(0, maximum);
    forEachFile(
        update.reread.size(),
        [&](std::size_t k) {
            const std::size_t at = update.reread[k];
            update.rows[at] = rowForNode(folder, update.scan.nodes[at]);
        },
        [&](std::size_t ended) {
            if (options.progress)
                options.progress(keptCount + int(ended), maximum);
        },
        options.stop);
    if (options.stop && options.stop->load()) {
        update.stopped = true;
        return update;
    }
    for (const std::size_t at : update.reread)
        if (!keptRows[at] || !sameTexts(*keptRows[at], update.rows[at]))
            update.changed.push_back(at);
    update.settlesAt = settlesAt(update.rows);
    if (options.collect)
        fillCollections(update.rows, *options.collect);
    return update;
}

} // namespace qel
