#include "dialogs/frmGraphData.h"

#include "base/asker.h"
#include "base/dialogframe.h"
#include "dialogs/dialoglayout.h"
#include "graphs/graphdatamodel.h"
#include "graphs/graphstate.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace qel {

namespace {

QLabel *plainLabel(QWidget *parent, const QString &name)
{
    // Names come from files and are never markup.
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

} // namespace

frmGraphData::frmGraphData(std::unique_ptr<graphs::GraphDataModel> model, QWidget *parent)
    : QDialog(parent), m_model(std::move(model))
{
    setDialogFrame(*this);
    setObjectName(QStringLiteral("frmGraphData"));
    setModal(true);

    lblCaption = plainLabel(this, QStringLiteral("lblCaption"));
    QFont bold = lblCaption->font();
    bold.setBold(true);
    lblCaption->setFont(bold);
    lblSummary = plainLabel(this, QStringLiteral("lblSummary"));

    tblData = new QTableView(this);
    tblData->setObjectName(QStringLiteral("tblData"));
    tblData->setModel(m_model.get());
    tblData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblData->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblData->setTabKeyNavigation(false);
    tblData->verticalHeader()->hide();
    // Rows of one height: the view never asks a long history for every row to size them.
    tblData->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblData->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblData->setMinimumSize(360, 300);

    cmdCopy = new QPushButton(this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdCopy->setAutoDefault(false);
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    connect(cmdCopy, &QPushButton::clicked, this, &frmGraphData::copyTable);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    // The whole table, whichever control has the focus: the table view would take the key
    // and copy its current cell only.
    auto *copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WindowShortcut);
    connect(copy, &QShortcut::activated, this, &frmGraphData::copyTable);
    tblData->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblCaption);
    layout->addWidget(lblSummary);
    layout->addWidget(tblData, 1);
    layout->addLayout(buttons);
    tblData->setFocus();
    retranslate();
}

void frmGraphData::retranslate()
{
    //: Title of the window showing a graph's data as a table.
    setWindowTitle(tr("グラフのデータ"));
    //: Button: copies the whole table to the clipboard.
    cmdCopy->setText(tr("コピー"));
    //: What the copy button does, as its tip and for screen readers.
    setDescription(cmdCopy, tr("表全体をタブ区切りでクリップボードにコピーします (Ctrl+C)。"));
    //: Button: closes the window.
    cmdClose->setText(tr("閉じる"));
    m_model->retranslate();
    lblCaption->setText(m_model->caption());
    lblSummary->setText(m_model->summary());
    lblSummary->setHidden(m_model->summary().isEmpty());
    tblData->setAccessibleName(m_model->caption());
    tblData->setAccessibleDescription(m_model->summary());
}

void frmGraphData::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

frmGraphData::~frmGraphData()
{
    // The view goes before the model it shows.
    delete tblData;
}

bool frmGraphData::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tblData && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copyTable();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmGraphData::copyTable()
{
    QGuiApplication::clipboard()->setText(m_model->tabSeparated());
}

namespace {
void show(QWidget *parent, std::unique_ptr<graphs::GraphDataModel> model)
{
    frmGraphData dialog(std::move(model), parent);
    asker().showDialog(dialog);
}
} // namespace

void showPracticeData(QWidget *parent, const graphs::PersonalGraphRow &row,
                      std::shared_ptr<const LoadedHistory> history)
{
    show(parent, graphs::GraphDataModel::practice(row, std::move(history)));
}

void showPracticeTimeData(QWidget *parent, const graphs::PersonalGraphRow &row,
                          std::shared_ptr<const LoadedHistory> history)
{
    show(parent, graphs::GraphDataModel::practiceTime(row, std::move(history)));
}

void showStepStatisticsData(QWidget *parent, const QString &groupName, int learnerCount,
                            const GroupCollections &collections, double percentile)
{
    show(parent, graphs::GraphDataModel::statistics(graphs::StepStatistics, groupName, learnerCount, collections,
                                                    percentile));
}

void showRunStatisticsData(QWidget *parent, const QString &groupName, int learnerCount,
                           const GroupCollections &collections, double percentile)
{
    show(parent, graphs::GraphDataModel::statistics(graphs::RunStatistics, groupName, learnerCount, collections,
                                                    percentile));
}

} // namespace qel
