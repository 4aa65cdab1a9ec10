// The README's pictures of the history views, from two weeks of a simulated class: a
// learner's record, the group's this week against last week, and its printed page. Writes
// the PNG files into OUTPUT_FOLDER and the weekly table as CSV (UTF-8) to standard output.
// With --class, plays the class of last week and this week up to now into FOLDER and the
// history database ($QEL_HISTORY_DB), for pictures of the window's own views.
//
//   history_screenshots OUTPUT_FOLDER
//   history_screenshots --class FOLDER

#include "base/painting.h"
#include "dialogs/frmHistory.h"
#include "dialogs/frmWeeks.h"
#include "history/figures.h"
#include "history/journalstore.h"
#include "records/learnertable.h"
#include "reports/csv.h"
#include "reports/historycsv.h"
#include "reports/weekreport.h"
#include "samples/classsimulation.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

using namespace qel;
using namespace qel::history;

namespace {

// Plays the class into `folder`, its viewer's looks into `store`.
bool play(const samples::ClassPlan &plan, const QString &folder, JournalStore &store)
{
    return samples::playClass(plan, folder, [&](qint64 at) {
        Batch batch{folder, AllGroup, at, {}};
        for (TableRow &row : makeView(folder, scanFolder(folder, AllGroup).nodes)) {
            row.readAt = 0; // seen at the simulated time
            if (auto o = observationOf(row, at))
                batch.files.push_back(*o);
        }
        store.record(batch);
    });
}

int playUntilNow(const QString &folder)
{
    const QDateTime now = QDateTime::currentDateTime();
    samples::ClassPlan plan = samples::planClass(weekStart(now.date()).addDays(-7), 8, 7);
    std::erase_if(plan.events, [&](const samples::ClassEvent &e) { return e.at > now.toMSecsSinceEpoch(); });
    JournalStore store(defaultDatabasePath());
    if (!play(plan, folder, store)) {
        std::fprintf(stderr, "history_screenshots: the simulated class could not be written\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--class")
        return playUntilNow(QString::fromLocal8Bit(argv[2]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: history_screenshots OUTPUT_FOLDER | --class FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    draw::installFontSubstitutes();

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("RecordFolder"));
    const samples::ClassPlan plan = samples::planClass(QDate(2026, 11, 16), 8, 7);
    JournalStore store(dir.filePath(QStringLiteral("history.db")));
    const bool played = play(plan, folder, store);
    const auto journal = store.read(folder);
    if (!played || !journal) {
        std::fprintf(stderr, "history_screenshots: the simulated class could not be written\n");
        return 1;
    }
    const QDate today(2026, 11, 27); // the second Friday

    frmHistory history(learnerHistory(*journal, plan.files[1], today), QIcon());
    history.show();
    const bool wrote1 = history.grab().save(out.filePath(QStringLiteral("practice-history.png")));

    const QStringList keys(plan.files.begin(), plan.files.end());
    const WeekComparison comparison = compareWeeks(*journal, keys, today);
    frmWeeks weeks({comparison, QStringLiteral("/home/teacher/Records"), AllGroup, QDir::homePath()}, QIcon());
    weeks.show();
    const bool wrote2 = weeks.grab().save(out.filePath(QStringLiteral("weekly-comparison.png")));

    // The page at 60 dpi, framed as the other printed page of the README.
    QImage page(qRound(210 / 25.4 * 60), qRound(297 / 25.4 * 60), QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(60 / 0.0254));
    page.setDotsPerMeterY(qRound(60 / 0.0254));
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        reports::drawWeekReport(painter, reports::groupPageGeometry(210, 297, 0, 0), QStringLiteral("/home/teacher/Records"),
                                comparison);
        painter.resetTransform();
        painter.setPen(QColor(0x90, 0x90, 0x90));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(page.rect().adjusted(0, 0, -1, -1));
    }
    const bool wrote3 = page.save(out.filePath(QStringLiteral("weekly-report.png")));

    const QByteArray table = csv::document(csv::weekLines(comparison), csv::Encoding::Utf8);
    std::fwrite(table.constData(), 1, std::size_t(table.size()), stdout);
    return wrote1 && wrote2 && wrote3 ? 0 : 1;
}
