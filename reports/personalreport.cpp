#include "reports/personalreport.h"

#include "reports/printdraw.h"

#include "base/painting.h"
#include "graphs/scales.h"
#include "records/learnertable.h"
#include "records/recordfile.h"
#include "records/regression.h"
#include "records/textformat.h"

#include <QPainter>
#include <algorithm>

namespace qel::reports {

using draw::mmToTwips;

QStringList personalNameList(const QStringList &selectedRowNames, const TreeSelection &node)
{
    QStringList names;
    for (const QString &name : selectedRowNames)
        if (!names.contains(name, Qt::CaseSensitive))
            names << name;
    if (names.isEmpty() && node.kind == TreeSelection::LearnerNode)
        names << node.text;
    return names;
}

QString pageFooterText(int pageNumber, int pageCount)
{
    return QStringLiteral("- %1/%2 -").arg(pageNumber).arg(pageCount);
}

bool drawPersonalReport(QPainter &painter, const PageGeometry &page, const QString &folder,
                        const QStringList &names, const NewPage &newPage, QString *error)
{
    const int count = int(names.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && newPage && !newPage()) {
            if (error)
                *error = QStringLiteral("%1ページ目を始められませんでした。").arg(i + 1);
            return false;
        }
        drawPersonalPage(painter, page, folder, names[i], i + 1, count);
    }
    return true;
}

namespace {

// One row of the figure table: labels and values at their paper x.
struct TableRowLayout {
    struct Item {
        int paperX;
        QString text;
    };
    std::vector<Item> items;
    int secondRule = 0; // offset of a second rule below the row, 0 for none
    int advance = 5;
};

std::vector<TableRowLayout> tableRows(const LearnerSummary &s)
{
    const CourseTexts &e = s.courses[English];
    const CourseTexts &k = s.courses[Kana];
    const LearnerSettings &set = s.settings;
    auto perCourse = [](const char *label, int x, const QString &english, const QString &kana) {
        return TableRowLayout{{{x, QString::fromUtf8(label)}, {72, english}, {132, kana}}};
    };
    std::vector<TableRowLayout> rows = {
        perCourse("合格済ステップ", 32, e.passedStep, k.passedStep),
        perCourse("練習回数", 44, e.runCount, k.runCount),
        perCourse("総練習時間", 40, e.totalTime, k.totalTime),
        perCourse("上達度", 48, e.progressRate, k.progressRate),
        perCourse("最高ＳＰＭ", 40, e.bestSpm, k.bestSpm),
        perCourse("最終練習日", 40, e.lastPractice, k.lastPractice),
        perCourse("テキスト", 44, set[EnglishTextSetting], set[KanaTextSetting]),
        // The double rule below closes the figures of the two Courses.
        {{{40, QStringLiteral("変換モード")}, {132, set[ConversionModeSetting]}}, 6, 7},
        {{{32, QStringLiteral("スピードガイド")}, {72, set[SpeedGuideSetting]}}},
        {{{40, QStringLiteral("キーボード")}, {72, set[KeyboardSetting]},
          {122, QStringLiteral("ミスタイプ")}, {152, set[MistypeSetting]}}},
        {{{52, QStringLiteral("漢字")}, {72, set[KanjiSetting]},
          {134, QStringLiteral("読み")}, {152, set[ReadingSetting]}}},
        {{{44, QStringLiteral("カーソル")}, {72, set[CursorSetting]}}},
        {{{44, QStringLiteral("経過時間")}, {72, set[ElapsedTimeSetting]}}, 5, 0},
    };
    return rows;
}

QString recordPath(const QString &folder, const QString &name, Course course)
{
    return recordFolderPath(folder, recordFileName(name, course));
}

std::int64_t wholeNumber(const QString &text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

} // namespace

void drawPersonalPage(QPainter &painter, const PageGeometry &g, const QString &folder,
                      const QString &name, int pageNumber, int pageCount)
{
    draw::useMillimetres(painter);
    setPrintFont(painter, 16);
    setLine(painter, 1);
    painter.setBrush(Qt::white);
    drawBox(painter, g.left, g.top, g.right, g.bottom);

    const LearnerSummary summary = readSummary(folder, name);

    setPrintFont(painter, 20);
    int y = g.top + 3;
    textAt(painter, g.paperX(25), y, name);

    setPrintFont(painter, 14);
    y += 10;
    textAt(painter, g.paperX(87), y, QStringLiteral("英文練習"));
    textAt(painter, g.paperX(142), y, QStringLiteral("かな／ローマ練習"));

    setPrintFont(painter, 12);
    y += 8;
    const auto rule = [&](int at) {
        painter.drawLine(QPointF(g.paperX(32), at), QPointF(g.paperX(192), at));
    };
    for (const TableRowLayout &row : tableRows(summary)) {
        for (const auto &item : row.items)
            textAt(painter, g.paperX(item.paperX), y, item.text);
        rule(y + 4);
        if (row.secondRule)
            rule(y + row.secondRule);
        y += row.advance;
    }

    setLine(painter, 4);
    const int m = g.dividerY();
    painter.drawLine(QPointF(g.left + 2, m), QPointF(g.right - 2, m));
    const int cx = g.centreX();
    painter.drawLine(QPointF(cx, g.top + 90), QPointF(cx, g.bottom - 2));
    setLine(painter, 1);

    const CourseTexts &english = summary.courses[English];
    const CourseTexts &kana = summary.courses[Kana];
    drawPracticeGraph(painter, g, folder, name, english.bestSpm, english.runCount, English);
    drawPracticeGraph(painter, g, folder, name, kana.bestSpm, kana.runCount, Kana);
    drawTimeGraph(painter, g, folder, name, English);
    drawTimeGraph(painter, g, folder, name, Kana);

    draw::useMillimetres(painter);
    setPrintFont(painter, 8);
    textAt(painter, (g.left + g.right) / 2 - 5, g.bottom + 2, pageFooterText(pageNumber, pageCount));
}

void drawPracticeGraph(QPainter &painter, const PageGeometry &g, const QString &folder,
                       const QString &name, const QString &bestSpmText,
                       const QString &runCountText, Course course)
{
    const int pl = g.panelLeft(course);
    const int pr = g.panelRight(course);
    const int m = g.dividerY();
    const int step = g.graphStep;

    draw::useTwips(painter);
    setPrintFont(painter, 6);

    const std::int64_t best = std::clamp<std::int64_t>(wholeNumber(bestSpmText), 0, 1000000);
    const int s = graphs::spmPerDivision(int(best));
    for (int v = 0; v <= 10; ++v) {
        const int y = mmToTwips(g.top + 91) + v * step;
        textAt(painter, mmToTwips(pl + 1) - 50, y, numberText(std::int64_t(s) * (10 - v)));
        if (v <= 9)
            textAt(painter, mmToTwips(pr - 4) - 40, y, QString::number((10 - v) * 10) + QLatin1Char('%'));
    }
    const std::int64_t n = wholeNumber(runCountText);
    const std::int64_t runsPerColumn = (n - 1) / 10 + 1;
    for (int e = 1; e <= 10; ++e)
        textAt(painter, mmToTwips(pl + 3) + e * step, mmToTwips(m - 3) - 20,
               numberText(e * runsPerColumn));

    setPrintFont(painter, 8);
    setLine(painter, 2);
    painter.setBrush(Qt::white);
    drawBox(painter, mmToTwips(pl + 5), mmToTwips(g.top + 92), mmToTwips(pr - 5), mmToTwips(m - 4));
    for (int i = 1; i <= 9; ++i) {
        const int y = mmToTwips(g.top + 92) + i * step;
        painter.drawLine(QPointF(mmToTwips(pl + 5), y), QPointF(mmToTwips(pr - 5), y));
    }
    const int captionY = mmToTwips(g.top + 89);
    textAt(painter, mmToTwips(pl + 5), captionY, QStringLiteral("ストローク／分"));
    if (course == English)
        textAt(painter, mmToTwips(pl + 40), captionY, QStringLiteral("英文練習"));
    else
        textAt(painter, mmToTwips(pl + 32), captionY, QStringLiteral("かな／ローマ練習"));
    textAt(painter, mmToTwips(pl + 64), captionY, QStringLiteral("ミスタイプ率(%)"));

    const double columns = n < 10 ? 10.0 : double(((n - 1) / 10) * 10 + 10);
    if (n <= 1)
        return;
    const auto file = PracticeRecordFile::read(recordPath(folder, name, course),
                                               PracticeRecordFile::Scope::Everything);
    if (!file)
        return;

    const double y0 = mmToTwips(m - 4);
    const double width = mmToTwips((g.right - g.left) / 2 - 10);
    const double x0 = mmToTwips(pl + 5);
    const auto spmY = [&](double v) { return y0 - v * step / s; };
    const auto rateY = [&](double q) { return y0 - q * (step / 10) / 100.0; };
    const auto runX = [&](std::int64_t k) { return x0 + width * double(k) / columns; };
    const auto segment = [&](std::int64_t from, std::int64_t to, RecordWords a, RecordWords b) {
        setLine(painter, 1);
        painter.drawLine(QPointF(runX(from), spmY(a.w0)), QPointF(runX(to), spmY(b.w0)));
        setLine(painter, 1, Qt::black, Qt::DotLine);
        painter.drawLine(QPointF(runX(from), rateY(a.w1)), QPointF(runX(to), rateY(b.w1)));
        setLine(painter, 1);
    };

    Regression series;
    RecordWords previous = file->run(1);
    series.addSample(previous.w0);
    // Runs past the end of the file read as zero words: after the first of them the rest
    // of both lines lies flat on the base line, drawn at once whatever the stored count.
    const std::int64_t withData = std::min(n, std::max<std::int64_t>(file->runsInFile(), 0) + 1);
    for (std::int64_t i = 2; i <= withData; ++i) {
        const RecordWords current = file->run(i);
        series.addSample(current.w0);
        segment(i - 1, i, previous, current);
        previous = current;
    }
    if (n > withData) {
        series.addZeroSamples(n - withData);
        segment(withData, n, RecordWords{}, RecordWords{});
    }

    if (n >= 3) {
        const LineFit fit = series.fit();
        const double first = double(roundHalfEven(fit.slope + fit.intercept));
        const double last = double(roundHalfEven(double(n) * fit.slope + fit.intercept));
        setLine(painter, 4);
        painter.drawLine(QPointF(x0 + width / columns, spmY(first)), QPointF(runX(n), spmY(last)));
    }
}

void drawTimeGraph(QPainter &painter, const PageGeometry &g, const QString &folder,
                   const QString &name, Course course)
{
    const int pl = g.panelLeft(course);
    const int pr = g.panelRight(course);
    const int m = g.dividerY();
    const int step = g.graphStep;

    draw::useTwips(painter);
    setLine(painter, 1);
    // Bars stand on whole multiples of 10 twips; frame, grid and numbers keep the step.
    const int barDivision = step - step % 10;
    painter.setBrush(Qt::white);
    drawBox(painter, mmToTwips(pl + 5), mmToTwips(m + 4), mmToTwips(pr - 5), mmToTwips(g.bottom - 4));
    for (int i = 1; i <= 9; ++i) {
        const int y = mmToTwips(m + 4) + i * step;
        painter.drawLine(QPointF(mmToTwips(pl + 5), y), QPointF(mmToTwips(pr - 5), y));
    }

    // A missing file is neither read nor created: no STEPs, longest time 0.
    const auto table = graphs::loadStepTimes(recordPath(folder, name, course));
    const std::int32_t stepCount = table ? table->stepCount : 0;
    const std::int64_t longest = table ? graphs::maxstep(*table, stepCount) : 0;
    const graphs::TimeAxis axis = graphs::timeAxisFor(longest);
    const double u = double(axis.secondsPerDivision);

    const int bars = std::min(stepCount, std::int32_t(kStepRecords));
    const double x0 = mmToTwips(pl + 5);
    const double width = mmToTwips((g.right - g.left) / 2 - 10);
    const double base = mmToTwips(g.bottom - 4);
    setHatchBrush(painter);
    setPrintFont(painter, 6);
    for (int i = 1; i <= bars; ++i) {
        const double slotLeft = x0 + width * (i - 1) / bars;
        const double slotRight = x0 + width * i / bars;
        const double seconds = table->stepSeconds[std::size_t(i - 1)];
        drawBox(painter, slotLeft, base, slotRight, base - barDivision * seconds / u);
        const bool labelled = bars < 20 ? true : bars < 50 ? i % 5 == 0 : i % 10 == 0;
        if (labelled)
            textAt(painter, slotLeft - 50, mmToTwips(g.bottom - 3), numberText(i));
    }
    painter.setBrush(Qt::NoBrush);

    setPrintFont(painter, 8);
    textAt(painter, mmToTwips(pl + 34), mmToTwips(m + 1), QStringLiteral("STEP毎 練習時間"));
    setPrintFont(painter, 6);
    for (int p = 0; p <= 10; ++p)
        textAt(painter, mmToTwips(pl + 1) - 50, base - p * step - 120, numberText(axis.label(p)));
    textAt(painter, mmToTwips(pl + 5), mmToTwips(m + 1), axis.caption);
}

} // namespace qel::reports
