#include "dialogs/frmHistory.h"

#include "dialogs/dialoglayout.h"
#include "dialogs/historymodels.h"

#include "base/dialogframe.h"
#include "base/painting.h"
#include "base/twips.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace qel {

using namespace history;

// Draws the bars it is given, nothing else.
class PracticeBarPane : public QWidget {
public:
    explicit PracticeBarPane(QWidget *parent) : QWidget(parent) {}
    void setBars(std::vector<graphs::PracticeBar> bars, const QString &caption)
    {
        m_bars = std::move(bars);
        m_caption = caption;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QSize twips = TwipsScale(this).twips(size());
        graphs::drawPracticeBars(painter, twips.width(), twips.height(), m_bars, m_caption);
    }

private:
    std::vector<graphs::PracticeBar> m_bars;
    QString m_caption;
};

namespace {
constexpr int kWidth = 10200;
constexpr int kHeight = 7920;
constexpr int kMargin = 120;
constexpr int kGraphTop = 840;
constexpr int kGraphHeight = 3000;
constexpr int kTableTop = 3960;
constexpr int kTableHeight = 3240;
constexpr int kButtonWidth = 1275;
constexpr int kButtonHeight = 435;
} // namespace

std::vector<graphs::PracticeBar> historyBars(const std::vector<PeriodFigures> &periods, bool minutes)
{
    std::vector<graphs::PracticeBar> bars;
    bars.reserve(periods.size());
    for (const PeriodFigures &p : periods)
        bars.push_back({shortDateText(p.first), minutes ? double(p.seconds) / 60.0 : double(p.runs), p.observed(),
                        p.carriedFrom.has_value()});
    return bars;
}

QString historyTitle(const LearnerHistory &history)
{
    //: Heading of a learner's practice record: %1 the learner, %2 the Course.
    return frmHistory::tr("%1（%2）の練習の記録").arg(history.name, courseListText(history.course));
}

frmHistory::frmHistory(LearnerHistory history, const QIcon &icon, QWidget *parent)
    : QDialog(parent), m_history(std::move(history))
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setWindowIcon(icon);
    setFont(QFont(draw::kPGothic, 9));
    const TwipsScale t(this);
    setFixedSize(t.x(kWidth), t.y(kHeight));

    lblTitle = addPlainLabel(this, QStringLiteral("lblTitle"), t.rect(kMargin, 120, 5400, 300));
    QFont titleFont = font();
    titleFont.setPointSize(11);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    const auto radio = [&](const char *name, int left, int top) {
        auto *button = new QRadioButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(t.rect(left, top, 1500, 300));
        return button;
    };
    optDay = radio("optDay", 5700, 120);
    optWeek = radio("optWeek", 7200, 120);
    optRuns = radio("optRuns", 5700, 450);
    optMinutes = radio("optMinutes", 7200, 450);
    auto *periodGroup = new QButtonGroup(this);
    periodGroup->addButton(optDay);
    periodGroup->addButton(optWeek);
    auto *measureGroup = new QButtonGroup(this);
    measureGroup->addButton(optRuns);
    measureGroup->addButton(optMinutes);
    optDay->setChecked(true);
    optRuns->setChecked(true);

    picGraph = new PracticeBarPane(this);
    picGraph->setObjectName(QStringLiteral("picGraph"));
    picGraph->setGeometry(t.rect(kMargin, kGraphTop, kWidth - 2 * kMargin, kGraphHeight));

    m_model = new PeriodTableModel(this);
    tblPeriods = new QTableView(this);
    tblPeriods->setObjectName(QStringLiteral("tblPeriods"));
    tblPeriods->setGeometry(t.rect(kMargin, kTableTop, kWidth - 2 * kMargin, kTableHeight));
    tblPeriods->setModel(m_model);
    tblPeriods->verticalHeader()->hide();
    tblPeriods->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblPeriods->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Arrows move within the table; Tab goes on to the buttons.
    tblPeriods->setTabKeyNavigation(false);
    tblPeriods->horizontalHeader()->setStretchLastSection(true);

    lblEmpty = addPlainLabel(this, QStringLiteral("lblEmpty"), t.rect(kMargin, kGraphTop, kWidth - 2 * kMargin, 600),
                             Qt::AlignCenter);
    lblEmpty->setVisible(!m_history.known());
    picGraph->setVisible(m_history.known());

    cmdClose = addButton(this, QStringLiteral("cmdClose"), QString(),
                         t.rect(kWidth - kMargin - kButtonWidth, kHeight - kButtonHeight - 120, kButtonWidth, kButtonHeight));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    for (QRadioButton *button : {optDay, optWeek, optRuns, optMinutes})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                showPeriods();
        });
    retranslate();
    showPeriods();
}

void frmHistory::retranslate()
{
    //: Title of the view of a learner's practice over days or weeks.
    setWindowTitle(tr("練習の記録"));
    lblTitle->setText(historyTitle(m_history));
    //: Choices of the practice record: one row and bar per day, ...
    optDay->setText(tr("日ごと(&D)"));
    //: ... or per week; ...
    optWeek->setText(tr("週ごと(&W)"));
    //: ... the bars show the runs ...
    optRuns->setText(tr("練習回数(&N)"));
    //: ... or the minutes practised.
    optMinutes->setText(tr("練習時間(&T)"));
    setDescription(optDay, tr("1日ごとに数えます。"));
    setDescription(optWeek, tr("月曜日から日曜日までの1週間ごとに数えます。"));
    setDescription(optRuns, tr("グラフに練習回数を示します。"));
    setDescription(optMinutes, tr("グラフに練習時間を分で示します。"));
    picGraph->setAccessibleName(tr("練習のグラフ"));
    tblPeriods->setAccessibleName(tr("期間ごとの練習"));
    setDescription(tblPeriods, tr("新しい期間から順に、練習回数、練習時間、平均SPM、ミスタイプ率、到達STEPを示します。"));
    lblEmpty->setText(tr("まだ記録がありません。ビューアがこの記録フォルダを読むたびに記録されます。"));
    cmdClose->setText(tr("閉じる"));
    // The table words itself anew; its columns take the new widths.
    tblPeriods->resizeColumnsToContents();
    showBars();
}

void frmHistory::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void frmHistory::showPeriods()
{
    const bool weeks = optWeek->isChecked();
    const std::vector<PeriodFigures> &periods = weeks ? m_history.weeks : m_history.days;
    m_model->setPeriods(periods, weeks ? Period::Week : Period::Day);
    tblPeriods->resizeColumnsToContents();
    showBars();
}

void frmHistory::showBars()
{
    const bool weeks = optWeek->isChecked();
    const std::vector<PeriodFigures> &periods = weeks ? m_history.weeks : m_history.days;
    const bool minutes = optMinutes->isChecked();
    //: Captions of the bar graph: minutes practised, or runs.
    const QString caption = minutes ? tr("練習時間(分)") : tr("練習回数");
    picGraph->setBars(historyBars(periods, minutes), caption);
    picGraph->setAccessibleDescription(caption);
}

} // namespace qel
