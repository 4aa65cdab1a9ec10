#include "dialogs/frmHistory.h"

#include "dialogs/dialoglayout.h"
#include "dialogs/historymodels.h"

#include "base/dialogframe.h"
#include "base/painting.h"
#include "base/twips.h"

#include <QButtonGroup>
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
    return QStringLiteral("%1（%2）の練習の記録").arg(history.name, courseListText(history.course));
}

frmHistory::frmHistory(LearnerHistory history, const QIcon &icon, QWidget *parent)
    : QDialog(parent), m_history(std::move(history))
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setWindowTitle(QStringLiteral("練習の記録"));
    setWindowIcon(icon);
    setFont(QFont(draw::kPGothic, 9));
    const TwipsScale t(this);
    setFixedSize(t.x(kWidth), t.y(kHeight));

    lblTitle = addPlainLabel(this, QStringLiteral("lblTitle"), t.rect(kMargin, 120, 5400, 300));
    QFont titleFont = font();
    titleFont.setPointSize(11);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setText(historyTitle(m_history));

    const auto radio = [&](const char *name, const QString &caption, int left, int top) {
        auto *button = new QRadioButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(t.rect(left, top, 1500, 300));
        return button;
    };
    optDay = radio("optDay", QStringLiteral("日ごと(&D)"), 5700, 120);
    optWeek = radio("optWeek", QStringLiteral("週ごと(&W)"), 7200, 120);
    optRuns = radio("optRuns", QStringLiteral("練習回数(&N)"), 5700, 450);
    optMinutes = radio("optMinutes", QStringLiteral("練習時間(&T)"), 7200, 450);
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
    tblPeriods->horizontalHeader()->setStretchLastSection(true);

    lblEmpty = addPlainLabel(this, QStringLiteral("lblEmpty"), t.rect(kMargin, kGraphTop, kWidth - 2 * kMargin, 600),
                             Qt::AlignCenter);
    lblEmpty->setText(QStringLiteral("まだ記録がありません。ビューアがこの記録フォルダを読むたびに記録されます。"));
    lblEmpty->setVisible(!m_history.known());
    picGraph->setVisible(m_history.known());

    cmdClose = addButton(this, QStringLiteral("cmdClose"), QStringLiteral("閉じる"),
                         t.rect(kWidth - kMargin - kButtonWidth, kHeight - kButtonHeight - 120, kButtonWidth, kButtonHeight));
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    for (QRadioButton *button : {optDay, optWeek, optRuns, optMinutes})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                showPeriods();
        });
    showPeriods();
}

void frmHistory::showPeriods()
{
    const bool weeks = optWeek->isChecked();
    const std::vector<PeriodFigures> &periods = weeks ? m_history.weeks : m_history.days;
    m_model->setPeriods(periods, weeks ? Period::Week : Period::Day);
    tblPeriods->resizeColumnsToContents();
    const bool minutes = optMinutes->isChecked();
    picGraph->setBars(historyBars(periods, minutes), minutes ? QStringLiteral("練習時間(分)") : QStringLiteral("練習回数"));
}

} // namespace qel
