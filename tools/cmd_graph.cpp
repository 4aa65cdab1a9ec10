// graph: one of the pane's four graphs as a PNG file, drawn by the same code as the pane.
// WxH is the pane's inner size in pixels at 96 dpi (15 twips per pixel).

#include "tools/clicommand.h"

#include "graphs/graphstate.h"
#include "graphs/groupgraph.h"
#include "graphs/personalgraph.h"
#include "records/filenames.h"
#include "records/learnertable.h"
#include "records/platform.h"
#include "reports/outputfile.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

namespace qel::cli {

namespace {

constexpr int kTwipsPerPixel = 15;   // at 96 dpi
constexpr int kDotsPerMetre = 3780;  // 96 dpi
constexpr int kLargestSide = 10000;  // pixels

struct GraphOptions {
    QString folder;
    QString output;
    QString file;
    std::optional<int> group;
    QString kind;
    int width = 0;
    int height = 0;
};

bool parseSize(const QString &text, int &width, int &height)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,6})x([0-9]{1,6})$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    width = match.captured(1).toInt();
    height = match.captured(2).toInt();
    return width >= 1 && height >= 1 && width <= kLargestSide && height <= kLargestSide;
}

QImage paneImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    image.fill(Qt::white);
    return image;
}

// The PNG goes in place whole or not at all.
int save(const QImage &image, const QString &output, int status)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return fail(Tr::tr("cannot make the PNG image for %1").arg(output));
    QString error;
    if (!reports::saveWhole(output, [&](QIODevice &file) { return file.write(png) == png.size(); }, &error))
        return fail(Tr::tr("cannot write %1").arg(error));
    return status;
}

int personal(const GraphOptions &o)
{
    int kind = 0;
    if (o.kind == QLatin1String("practice"))
        kind = graphs::PracticeGraph;
    else if (o.kind == QLatin1String("time"))
        kind = graphs::TimeGraph;
    else
        return usageError(Tr::tr("--kind with --file is practice or time, not %1").arg(o.kind));
    const auto name = parseRecordFileName(o.file);
    // A "\\" byte inside a code page 932 character (表 is 95 5C) is no separator.
    const QString shown = shownFileName(o.file);
    if (shown.contains(QLatin1Char('/')) || shown.contains(QLatin1Char('\\')) || !name
        || !o.file.endsWith(QLatin1String(".dat")))
        return usageError(Tr::tr("--file needs a record file name such as NAME_Qele.dat, not %1")
                              .arg(shown));
    const QString path = recordFolderPath(o.folder, o.file);
    if (!platform::fileExists(path))
        return fail(Tr::tr("record file not found: %1").arg(shownPath(path)));

    const TableRow row = rowForNode(o.folder, TreeNode{o.file, name->learner, courseImage(name->course)});
    const int status = warnUnreadable(unreadableRows(o.folder, {row})) ? kPartialFailure : kOk;
    graphs::GraphState state;
    state.personalGraphKind = std::int16_t(kind);
    state.resetPersonalScales();
    QImage image = paneImage(o.width, o.height);
    QPainter painter(&image);
    const auto result = graphs::drawPersonalGraph(
        painter, o.width * kTwipsPerPixel, o.height * kTwipsPerPixel, state.personalGraphKind,
        {row.name, shownCell(row, CourseColumn), row.cells[BestColumn]}, path, state);
    painter.end();
    writeLine(result.heading);
    return save(image, o.output, status);
}

int group(const GraphOptions &o)
{
    int kind = 0;
    if (o.kind == QLatin1String("steps"))
        kind = graphs::StepStatistics;
    else if (o.kind == QLatin1String("runs"))
        kind = graphs::RunStatistics;
    else
        return usageError(Tr::tr("--kind with --group is steps or runs, not %1").arg(o.kind));

    const ScanResult scan = scanFolder(o.folder, *o.group);
    if (!checkListing(o.folder, scan.listing))
        return kUsageOrFolderError;
    GroupCollections collections;
    const auto rows = makeView(o.folder, scan.nodes, &collections);
    const int status = warnUnreadable(unreadableRows(o.folder, rows)) ? kPartialFailure : kOk;
    graphs::GraphState state;
    state.groupGraphKind = std::int16_t(kind);
    QImage image = paneImage(o.width, o.height);
    QPainter painter(&image);
    const auto result = graphs::drawGroupGraph(painter, o.width * kTwipsPerPixel,
                                               o.height * kTwipsPerPixel, state.groupGraphKind,
                                               scan.rootText, int(scan.nodes.size()), collections, state);
    painter.end();
    writeLine(result.heading);
    writeLine(result.statusText);
    return save(image, o.output, status);
}

int runGraph(const QCommandLineParser &args)
{
    GraphOptions o;
    if (!readGroup(args, o.group))
        return kUsageOrFolderError;
    o.file = args.value(QStringLiteral("file"));
    o.kind = args.value(QStringLiteral("kind"));
    const bool sized = args.isSet(QStringLiteral("size"));
    if (sized && !parseSize(args.value(QStringLiteral("size")), o.width, o.height))
        return usageError(Tr::tr("--size needs WxH in pixels, each 1 to %1, not %2")
                              .arg(kLargestSide)
                              .arg(args.value(QStringLiteral("size"))));
    const QStringList plain = args.positionalArguments();
    if (plain.size() != 2)
        return usageError(Tr::tr("graph needs a FOLDER and an OUT.png"));
    o.folder = plain[0];
    o.output = plain[1];
    if (!o.output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return usageError(Tr::tr("the output file must end in .png: %1").arg(o.output));
    if (o.file.isEmpty() == !o.group.has_value())
        return usageError(Tr::tr("graph needs either --file NAME_Qel?.dat or --group 0|1|2"));
    if (o.kind.isEmpty())
        return usageError(Tr::tr("graph needs --kind"));
    if (!sized)
        return usageError(Tr::tr("graph needs --size WxH"));
    if (!checkFolder(o.folder))
        return kUsageOrFolderError;
    if (reports::isTrainerFile(o.folder, o.output))
        return fail(Tr::tr("%1 is a record or settings file of the folder; it is not overwritten").arg(o.output));
    return o.group ? group(o) : personal(o);
}

const CommandRegistrar graph({QStringLiteral("graph"),
                              QStringLiteral("graph FOLDER --file NAME_Qele.dat --kind practice|time --size WxH OUT.png\n"
                                             "graph FOLDER --group 0|1|2 --kind steps|runs --size WxH OUT.png"),
                              true, 40,
                              {{QStringLiteral("file"), QT_TRANSLATE_NOOP("Cli", "a value")}, groupOption(),
                               {QStringLiteral("kind"), QT_TRANSLATE_NOOP("Cli", "a value")},
                               {QStringLiteral("size"), QT_TRANSLATE_NOOP("Cli", "a value")}},
                              runGraph});

} // namespace
} // namespace qel::cli
