#include "dialogs/frmWeeks.h"

#include "dialogs/dialoglayout.h"
#include "dialogs/historymodels.h"

#include "base/asker.h"
#include "base/dialogframe.h"
#include "base/painting.h"
#include "base/printpreview.h"
#include "base/twips.h"
#include "records/learnertable.h"
#include "reports/csv.h"
#include "reports/historycsv.h"
#include "reports/outputfile.h"
#include "reports/printjob.h"

#include <QDir>
#include <QEvent>
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
} // namespace

QString frmWeeks::documentName()
{
    //: The view's name: the print job's and the CSV file's suggested name.
    return tr("今週と先週");
}

QString weeksText(const WeekComparison &c)
{
    //: %1 this week's Monday, %2 its Sunday, %3 today, %4 and %5 last week's Monday and Sunday.
    return frmWeeks::tr("今週 %1～%2（%3まで）　先週 %4～%5")
        .arg(dateText(c.thisWeek), shortDateText(c.thisWeek.addDays(6)), shortDateText(c.today), dateText(c.lastWeek),
             shortDateText(c.lastWeek.addDays(6)));
}

QString groupWeekText(const WeekComparison &c, bool thisWeek)
{
    const WeekFigures &week = thisWeek ? c.groupThis : c.groupLast;
    const QString which = thisWeek ? frmWeeks::tr("今週") : frmWeeks::tr("先週");
    if (!week.observed)
        //: %1 this week or last week, %2 why there are no figures.
        return frmWeeks::tr("%1：%2").arg(which, notObservedText());
    //: The group's week: %1 this week or last week, %n runs, %2 minutes, %3 STEPs gained, %4 of
    //: %5 learners practised.
    QString text = frmWeeks::tr("%1：%n回 %2分 STEP増 %3、練習した人 %4/%5人", nullptr, int(week.runs))
                       .arg(which, minutesText(week.seconds))
                       .arg(week.steps)
                       .arg(thisWeek ? c.activeThis : c.activeLast)
                       .arg(c.learnerCount);
    if (const QString note = noteText(week.observed, week.carriedFrom); !note.isEmpty())
        //: A note after the group's week.
        text += frmWeeks::tr("（%1）").arg(note);
    return text;
}

frmWeeks::frmWeeks(WeekView view, const QIcon &icon, QWidget *parent) : QDialog(parent), m_view(std::move(view))
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setWindowIcon(icon);
    setFont(QFont(draw::kPGothic, 9));
    const TwipsScale t(this);
    setFixedSize(t.x(kWidth), t.y(kHeight));

    lblWeeks = addPlainLabel(this, QStringLiteral("lblWeeks"), t.rect(kMargin, 120, kWidth - 2 * kMargin, 300));

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
    // Arrows move within the table; Tab goes on to the buttons.
    tblWeeks->setTabKeyNavigation(false);
    // In the group's order until a column is clicked.
    tblWeeks->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tblWeeks->setSortingEnabled(true);
    tblWeeks->horizontalHeader()->setStretchLastSection(true);
    tblWeeks->resizeColumnsToContents();

    const int groupTop = kTableTop + kTableHeight + 120;
    lblThisWeek = addPlainLabel(this, QStringLiteral("lblThisWeek"), t.rect(kMargin, groupTop, kWidth - 2 * kMargin, 270));
    lblLastWeek = addPlainLabel(this, QStringLiteral("lblLastWeek"), t.rect(kMargin, groupTop + 300, kWidth - 2 * kMargin, 270));

    const int buttonTop = kHeight - kButtonHeight - 120;
    const auto button = [&](const char *name, int index) {
        return addButton(this, QString::fromLatin1(name), QString(),
                         t.rect(kWidth - kMargin - (4 - index) * (kButtonWidth + 90) + 90, buttonTop, kButtonWidth,
                                kButtonHeight));
    };
    cmdCSV = button("cmdCSV", 0);
    cmdPrint = button("cmdPrint", 1);
    cmdPreview = button("cmdPreview", 2);
    cmdClose = button("cmdClose", 3);
    connect(cmdCSV, &QPushButton::clicked, this, &frmWeeks::cmdCSV_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmWeeks::cmdPrint_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &frmWeeks::cmdPreview_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    retranslate();
}

void frmWeeks::retranslate()
{
    //: Title of the view of this week and last week; %1 the group.
    setWindowTitle(tr("今週と先週 - %1").arg(groupName(m_view.group)));
    lblWeeks->setText(weeksText(m_view.comparison));
    //: The group's figures of a week: %1 the group, %2 its figures.
    lblThisWeek->setText(tr("%1　%2").arg(groupName(m_view.group), groupWeekText(m_view.comparison, true)));
    lblLastWeek->setText(tr("%1　%2").arg(groupName(m_view.group), groupWeekText(m_view.comparison, false)));
    tblWeeks->setAccessibleName(tr("学習者ごとの今週と先週"));
    setDescription(tblWeeks, tr("学習者ごとに、今週と先週の練習回数、練習時間、STEP増を示します。見出しを押すと並べ替えます。"));
    tblWeeks->resizeColumnsToContents();
    //: Buttons: save the table as a CSV file, print it, and show the printout first.
    cmdCSV->setText(tr("CSV出力(&V)"));
    cmdPrint->setText(tr("印刷(&P)"));
    cmdPreview->setText(tr("印刷プレビュー(&R)"));
    cmdClose->setText(tr("閉じる"));
    setDescription(cmdCSV, tr("この表をCSVファイルに書き出します。"));
    setDescription(cmdPrint, tr("この表を1ページに印刷します。"));
    setDescription(cmdPreview, tr("印刷する前にページを画面で確かめます。"));
}

void frmWeeks::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void frmWeeks::cmdCSV_Click()
{
    //: Title of the save dialog of the CSV file.
    const auto path = asker().saveFileName(this, tr("出力先を指定して下さい。"),
                                           //: File types of the save dialog.
                                           tr("CSVファイル (*.csv);;すべてのファイル (*.*)"),
                                           QStringLiteral(".csv"), QDir(m_view.csvFolder).filePath(documentName()));
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
            //: %1 the reason the system gives.
            asker().message(parent, tr("CSV出力に失敗しました。\n%1").arg(error), QString(), Asker::Buttons::Ok,
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
        this, documentName(),
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
        this, documentName(),
        [this, shown](QPrinter &printer, QString *error) {
            return reports::printWeekReport(printer, m_view.folder, shown, error);
        },
        [this] { return printWeeks(); });
}

} // namespace qel
