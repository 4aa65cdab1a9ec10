#include "dialogs/frmWeeks.h"

#include "dialogs/dialoglayout.h"
#include "dialogs/historymodels.h"

#include "base/asker.h"
#include "base/dialogframe.h"
#include "base/painting.h"
#include "base/printpreview.h"
#include "base/twips.h"
#include "reports/csv.h"
#include "reports/historycsv.h"
#include "reports/outputfile.h"
#include "reports/printjob.h"

#include <QDir>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>

namespace qel {

using namespace history;

namespace {
constexpr int kWidth = 11400;
constexpr int kHeight = 7800;
constexpr int kMargin = 120;
constexpr int kTableTop = 480;
constexpr int kTableHeight = 5640;
constexpr int kButtonWidth = 1875;
constexpr int kButtonHeight = 435;

const QString kDocument = QStringLiteral("今週と先週");
} // namespace

QString weeksText(const WeekComparison &c)
{
    return QStringLiteral("今週 %1～%2（%3まで）　先週 %4～%5")
        .arg(dateText(c.thisWeek), shortDateText(c.thisWeek.addDays(6)), shortDateText(c.today), dateText(c.lastWeek),
             shortDateText(c.lastWeek.addDays(6)));
}

QString groupWeekText(const WeekComparison &c, bool thisWeek)
{
    const WeekFigures &week = thisWeek ? c.groupThis : c.groupLast;
    const QString which = thisWeek ? QStringLiteral("今週") : QStringLiteral("先週");
    if (!week.observed)
        return QStringLiteral("%1：%2").arg(which, notObservedText());
    QString text = QStringLiteral("%1：%2回 %3分 STEP増 %4、練習した人 %5/%6人")
                       .arg(which)
                       .arg(week.runs)
                       .arg(minutesText(week.seconds))
                       .arg(week.steps)
                       .arg(thisWeek ? c.activeThis : c.activeLast)
                       .arg(c.learnerCount);
    if (const QString note = noteText(week.observed, week.carriedFrom); !note.isEmpty())
        text += QStringLiteral("（%1）").arg(note);
    return text;
}

frmWeeks::frmWeeks(WeekView view, const QIcon &icon, QWidget *parent) : QDialog(parent), m_view(std::move(view))
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setWindowTitle(QStringLiteral("今週と先週 - %1").arg(m_view.groupName));
    setWindowIcon(icon);
    setFont(QFont(draw::kPGothic, 9));
    const TwipsScale t(this);
    setFixedSize(t.x(kWidth), t.y(kHeight));

    lblWeeks = addPlainLabel(this, QStringLiteral("lblWeeks"), t.rect(kMargin, 120, kWidth - 2 * kMargin, 300));
    lblWeeks->setText(weeksText(m_view.comparison));

    m_model = new WeekTableModel(this);
    m_model->setComparison(m_view.comparison);
    m_model->setNameMask(m_view.names);
    tblWeeks = new QTableView(this);
    tblWeeks->setObjectName(QStringLiteral("tblWeeks"));
    tblWeeks->setGeometry(t.rect(kMargin, kTableTop, kWidth - 2 * kMargin, kTableHeight));
    tblWeeks->setModel(m_model);
    tblWeeks->verticalHeader()->hide();
    tblWeeks->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblWeeks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // In the group's order until a column is clicked.
    tblWeeks->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tblWeeks->setSortingEnabled(true);
    tblWeeks->horizontalHeader()->setStretchLastSection(true);
    tblWeeks->resizeColumnsToContents();

    const int groupTop = kTableTop + kTableHeight + 120;
    lblThisWeek = addPlainLabel(this, QStringLiteral("lblThisWeek"), t.rect(kMargin, groupTop, kWidth - 2 * kMargin, 270));
    lblLastWeek = addPlainLabel(this, QStringLiteral("lblLastWeek"), t.rect(kMargin, groupTop + 300, kWidth - 2 * kMargin, 270));
    lblThisWeek->setText(m_view.groupName + QStringLiteral("　") + groupWeekText(m_view.comparison, true));
    lblLastWeek->setText(m_view.groupName + QStringLiteral("　") + groupWeekText(m_view.comparison, false));

    const int buttonTop = kHeight - kButtonHeight - 120;
    const auto button = [&](const char *name, const QString &caption, int index) {
        return addButton(this, QString::fromLatin1(name), caption,
                         t.rect(kWidth - kMargin - (4 - index) * (kButtonWidth + 90) + 90, buttonTop, kButtonWidth,
                                kButtonHeight));
    };
    cmdCSV = button("cmdCSV", QStringLiteral("CSV出力(&V)"), 0);
    cmdPrint = button("cmdPrint", QStringLiteral("印刷(&P)"), 1);
    cmdPreview = button("cmdPreview", QStringLiteral("印刷プレビュー(&R)"), 2);
    cmdClose = button("cmdClose", QStringLiteral("閉じる"), 3);
    connect(cmdCSV, &QPushButton::clicked, this, &frmWeeks::cmdCSV_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmWeeks::cmdPrint_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &frmWeeks::cmdPreview_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmWeeks::cmdCSV_Click()
{
    const auto path = asker().saveFileName(this, QStringLiteral("出力先を指定して下さい。"),
                                           QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*.*)"),
                                           QStringLiteral(".csv"), QDir(m_view.csvFolder).filePath(kDocument));
    if (!path || path->isEmpty())
        return;
    // In the order the table shows, as it was when the file was named.
    const std::vector<QStringList> lines = csv::weekLines(m_model->shownComparison());
    const QPointer<frmWeeks> self(this);
    const auto write = [self, file = *path, lines](const QString &refusal) {
        QWidget *parent = self.data();
        if (!refusal.isEmpty()) {
            asker().message(parent, refusal, QString(), Asker::Buttons::Ok, Asker::Icon::Exclamation);
            return;
        }
        QString error;
        if (!csv::saveFile(file, lines, csv::Encoding::Cp932, &error))
            asker().message(parent, QStringLiteral("CSV出力に失敗しました。\n") + error, QString(), Asker::Buttons::Ok,
                            Asker::Icon::Exclamation);
    };
    if (m_view.check)
        m_view.check(*path, write);
    else
        write(reports::isTrainerFile(m_view.folder, *path) ? reports::trainerFileRefusal(*path) : QString());
}

bool frmWeeks::printWeeks()
{
    const WeekComparison shown = m_model->shownComparison();
    return printWithDialog(
        this, kDocument,
        [folder = m_view.folder, shown](QPrinter &printer, QString *error) {
            return reports::printWeekReport(printer, folder, shown, error);
        },
        m_view.check);
}

void frmWeeks::cmdPrint_Click()
{
    printWeeks();
}

void frmWeeks::cmdPreview_Click()
{
    const WeekComparison shown = m_model->shownComparison();
    previewWithDialog(
        this, kDocument,
        [this, shown](QPrinter &printer, QString *error) {
            return reports::printWeekReport(printer, m_view.folder, shown, error);
        },
        [this] { return printWeeks(); });
}

} // namespace qel
