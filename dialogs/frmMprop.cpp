#include "dialogs/frmMprop.h"

#include "base/dialogframe.h"
#include "base/painting.h"
#include "dialogs/hosts.h"
#include "records/groupstats.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <algorithm>

namespace qel {

namespace {

// Positions in twips.
constexpr int kClientWidth = 6465;
constexpr int kClientHeight = 3525;
constexpr int kHeaderTop = 120;
constexpr int kHeaderLeft[3] = {1860, 3360, 4740};
constexpr int kValueLeft[3] = {1380, 3120, 4740};
// Each value column is as wide as puts its figures centred under the column's header.
constexpr int kValueWidth[3] = {1320, 1200, 1440};
constexpr int kRowTop[7] = {480, 840, 1200, 1560, 1920, 2280, 2640};
// Captions end at one right edge, so that their texts start between left 60 (the longest)
// and 420 (the shortest); the label starts further left to leave room for wider fonts.
constexpr int kCaptionLeft = 0;
constexpr int kCaptionWidth = 1140;
constexpr int kNoticeWidth = 3735;
constexpr int kButtonTop = 3000;
constexpr int kButtonWidth = 1275;
constexpr int kButtonHeight = 435;
constexpr int kPrintLeft = 3780;
constexpr int kOkLeft = 5100;

} // namespace

frmMprop::frmMprop(GroupHost &host, const QIcon &icon, QWidget *parent)
    : QDialog(parent), m_host(host), m_twips(this)
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setWindowIcon(icon);
    setFont(QFont(draw::kPGothic, 9));
    m_labelHeight = std::max(m_twips.y(255), fontMetrics().height() + 2);

    for (int group = 0; group < 3; ++group)
        lblHeader[group] = addLabel(QStringLiteral("lblHeader_%1").arg(group), kHeaderLeft[group], kHeaderTop, 0);

    for (int row = 0; row < 7; ++row) {
        lblCaption[row] = addLabel(QStringLiteral("lblCaption_%1").arg(row), kCaptionLeft, kRowTop[row],
                                   kCaptionWidth, Qt::AlignRight | Qt::AlignVCenter);
        for (int group = 0; group < 3; ++group)
            lblValue[group][row] = addLabel(QStringLiteral("lblValue_%1_%2").arg(group).arg(row),
                                             kValueLeft[group], kRowTop[row], kValueWidth[group],
                                             Qt::AlignCenter);
    }

    // The blue notice over a silver copy of itself, which shows as its shadow.
    QFont noticeFont(draw::kPGothic, 24);
    noticeFont.setBold(true);
    auto makeNotice = [&](const QString &objectName, int left, int top, const QColor &colour) {
        QLabel *label = addLabel(objectName, left, top, 0);
        label->setFont(noticeFont);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        palette.setColor(QPalette::Disabled, QPalette::WindowText, colour);
        label->setPalette(palette);
        label->raise();
        return label;
    };
    lblNoticeShadow = makeNotice(QStringLiteral("lblNoticeShadow"), 2220, 1500, QColor(0xC0, 0xC0, 0xC0));
    lblNotice = makeNotice(QStringLiteral("lblNotice"), 2100, 1365, QColor(0x00, 0x00, 0xFF));

    cmdPrint = addButton(this, QStringLiteral("cmdPrint"), QString(),
                         m_twips.rect(kPrintLeft, kButtonTop, kButtonWidth, kButtonHeight));
    cmdPrint->setAutoDefault(false);
    cmdOK = addButton(this, QStringLiteral("cmdOK"), QString(),
                      m_twips.rect(kOkLeft, kButtonTop, kButtonWidth, kButtonHeight));
    cmdOK->setDefault(true);
    connect(cmdPrint, &QPushButton::clicked, this, &frmMprop::cmdPrint_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    // Load: the notice shows and nothing can be pressed until the figures are in.
    cmdPrint->setEnabled(false);
    cmdOK->setEnabled(false);
    setFixedSize(m_twips.x(kClientWidth), m_twips.y(kClientHeight));
    retranslate();
}

void frmMprop::retranslate()
{
    //: Title of the group properties dialog: the statistics of all learners and of each Course.
    setWindowTitle(tr("全体のプロパティ"));
    const QString headers[3] = {
        //: Column of the statistics of all learners.
        tr("全体"),
        tr("英文練習"),
        tr("かな／ローマ練習"),
    };
    for (int group = 0; group < 3; ++group) {
        QLabel *header = lblHeader[std::size_t(group)];
        header->setText(headers[group]);
        header->resize(header->sizeHint().width(), header->height());
    }
    for (int row = 0; row < 7; ++row) {
        lblCaption[std::size_t(row)]->setText(statCaption(row));
        for (int group = 0; group < 3; ++group)
            //: A figure as a screen reader names it: %1 the figure, %2 the group's column.
            lblValue[std::size_t(group)][std::size_t(row)]->setAccessibleName(
                tr("%1（%2）").arg(statCaption(row), headers[group]));
    }

    //: Shown while the figures of the three groups are being gathered.
    const QString notice = tr("集計しています。");
    const int noticeWidth =
        std::max(m_twips.x(kNoticeWidth), QFontMetrics(lblNotice->font()).horizontalAdvance(notice) + 4);
    const int noticeHeight = QFontMetrics(lblNotice->font()).height() + 2;
    for (QLabel *label : {lblNoticeShadow, lblNotice}) {
        label->setText(notice);
        label->resize(noticeWidth, noticeHeight);
    }

    cmdPrint->setText(tr("印刷"));
    setDescription(cmdPrint, tr("この集計を全体レポートとして印刷します。"));
    cmdOK->setText(tr("OK"));
}

void frmMprop::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

bool frmMprop::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

void frmMprop::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Some window systems never activate a window; the figures must come all the same,
    // or the dialog could never be closed.
    if (!m_activated)
        QMetaObject::invokeMethod(this, &frmMprop::Form_Activate, Qt::QueuedConnection);
}

void frmMprop::closeEvent(QCloseEvent *event)
{
    if (!cmdOK->isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmMprop::reject()
{
    if (!cmdOK->isEnabled())
        return;
    QDialog::reject();
}

void frmMprop::Form_Activate()
{
    // Later activations find the figures already in or on their way.
    if (m_activated)
        return;
    m_activated = true;
    m_computing = true;
    for (auto &column : lblValue)
        for (QLabel *label : column)
            label->clear();
    const QPointer<frmMprop> self(this);
    m_host.requestGroupFigures([self](const GroupStatistics &figures) {
        if (self)
            self->showFigures(figures);
    });
}

void frmMprop::showFigures(const GroupStatistics &figures)
{
    m_figures = figures;
    for (int group = 0; group < 3; ++group)
        for (int row = 0; row < 7; ++row)
            lblValue[std::size_t(group)][std::size_t(row)]->setText(figures.text(row, group));
    cmdPrint->setEnabled(true);
    cmdOK->setEnabled(true);
    lblNoticeShadow->hide();
    lblNotice->hide();
    m_computing = false;
}

void frmMprop::cmdPrint_Click()
{
    m_host.printGroupReport(m_figures);
}

QLabel *frmMprop::addLabel(const QString &objectName, int left, int top, int width,
                           Qt::Alignment alignment)
{
    return addPlainLabel(this, objectName, QRect(m_twips.x(left), m_twips.y(top), m_twips.x(width), m_labelHeight),
                         alignment);
}

} // namespace qel
