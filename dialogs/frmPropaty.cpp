#include "dialogs/frmPropaty.h"

#include "base/dialogframe.h"
#include "base/painting.h"
#include "records/filenames.h"
#include "records/learnersummary.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace qel {

namespace {

// Positions in twips.
constexpr int kCaptionLeft = 120;
constexpr int kColumnLeft[2] = {1500, 4080};     // English, Kana/Romaji values
constexpr int kHeaderLeft[2] = {2280, 4500};
constexpr int kColumnWidth = 2280;               // values centred under their header
constexpr int kTextWidth = 2520;
constexpr int kFigureTop[6] = {780, 1140, 1500, 1860, 2220, 2580};
constexpr int kTextTop = 2940;
constexpr int kSideCaptionLeft = 3720;            // "ミスタイプ", "読み仮名"
constexpr int kSideValueLeft = 4620;
constexpr int kButtonTop = 4920;
constexpr int kButtonWidth = 1275;
constexpr int kButtonHeight = 435;
constexpr int kPrintLeft = 3900;
constexpr int kOkLeft = 5220;
constexpr int kMargin = 120;
// Settings on the left stop short of the captions and buttons beside them.
constexpr int kLeftSettingWidth = 2160;

const char *const kFigureCaptions[6] = {
    "合格済ステップ", "練習回数", "総練習時間", "上達度", "最高SPM", "最終練習日",
};

} // namespace

frmPropaty::frmPropaty(const LearnerSummary &summary, const QString &learnerKey, const QIcon &icon,
                       PrintCallback print, QWidget *parent)
    : QDialog(parent), m_name(learnerKey), m_print(std::move(print)), m_twips(this)
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setWindowTitle(QStringLiteral("個人のプロパティ"));
    setWindowIcon(icon);
    setFont(QFont(draw::kPGothic, 9));
    // Japanese fonts run taller than the rows were drawn for; never cut a line.
    m_labelHeight = std::max(m_twips.y(255), fontMetrics().height() + 2);

    addLabel(QStringLiteral("lblUserCaption"), kCaptionLeft, 120, 1320)->setText(QStringLiteral("利用者"));
    lblName = addLabel(QStringLiteral("lblName"), kColumnLeft[0], 120, kOkLeft + kButtonWidth - kColumnLeft[0]);

    const QString headers[2] = {QStringLiteral("英文練習"), QStringLiteral("かな／ローマ練習")};
    for (int course = 0; course < 2; ++course) {
        QLabel *header = addLabel(QStringLiteral("lblHeader_%1").arg(course), kHeaderLeft[course], 450,
                                  1700);
        header->setText(headers[course]);
        header->resize(std::max(header->width(), header->sizeHint().width()), header->height());
    }

    for (int row = 0; row < 6; ++row) {
        addLabel(QStringLiteral("lblFigureCaption_%1").arg(row), kCaptionLeft, kFigureTop[row], 1320)
            ->setText(QString::fromUtf8(kFigureCaptions[row]));
        for (int course = 0; course < 2; ++course)
            lblFigure[course][row] = addLabel(QStringLiteral("lblFigure_%1_%2").arg(course).arg(row),
                                              kColumnLeft[course], kFigureTop[row], kColumnWidth,
                                              Qt::AlignCenter);
    }

    // A shortened practice-text name has 26 bytes: 26 narrow or 13 wide characters. The
    // label runs up to the next column, a little wider than the figures above it.
    const int textWidth = std::max(m_twips.x(kTextWidth),
                                   fontMetrics().horizontalAdvance(QString(13, QChar(0x3042))) + 4);
    addLabel(QStringLiteral("lblTextCaption"), kCaptionLeft, kTextTop, 1320)->setText(QStringLiteral("テキスト"));
    for (int course = 0; course < 2; ++course) {
        QLabel *label = addLabel(QStringLiteral("lblSetting_%1").arg(course), kColumnLeft[course], kTextTop,
                                 kColumnWidth, Qt::AlignCenter);
        label->resize(textWidth, label->height());
        lblSetting[course] = label;
    }

    addLabel(QStringLiteral("lblConversionModeCaption"), kCaptionLeft, 3300, 1320)
        ->setText(QStringLiteral("変換モード"));
    lblSetting[ConversionModeSetting] = addLabel(QStringLiteral("lblSetting_%1").arg(ConversionModeSetting),
                                                 kColumnLeft[1], 3300, kColumnWidth, Qt::AlignCenter);

    addLabel(QStringLiteral("lblSpeedGuideCaption"), kCaptionLeft, 3660, 1320)
        ->setText(QStringLiteral("スピードガイド"));
    lblSetting[SpeedGuideSetting] = addLabel(QStringLiteral("lblSetting_%1").arg(SpeedGuideSetting),
                                             kColumnLeft[0], 3660, 4635);

    struct LeftRow {
        int setting;
        int top;
        const char *caption;
    };
    const LeftRow leftRows[] = {
        {KeyboardSetting, 4020, "キーボード"},
        {KanjiSetting, 4380, "漢字"},
        {CursorSetting, 4740, "カーソル"},
        {ElapsedTimeSetting, 5100, "経過時間"},
    };
    for (const LeftRow &row : leftRows) {
        addLabel(QStringLiteral("lblSettingCaption_%1").arg(row.setting), kCaptionLeft, row.top, 1320)
            ->setText(QString::fromUtf8(row.caption));
        lblSetting[row.setting] = addLabel(QStringLiteral("lblSetting_%1").arg(row.setting), kColumnLeft[0],
                                           row.top, kLeftSettingWidth);
    }

    lblMistypeCaption = addLabel(QStringLiteral("lblMistypeCaption"), kSideCaptionLeft, 4020,
                                 kSideValueLeft - kSideCaptionLeft);
    lblMistypeCaption->setText(QStringLiteral("ミスタイプ"));
    lblReadingCaption = addLabel(QStringLiteral("lblReadingCaption"), kSideCaptionLeft, 4380,
                                 kSideValueLeft - kSideCaptionLeft);
    lblReadingCaption->setText(QStringLiteral("読み仮名"));
    for (QLabel *caption : {lblMistypeCaption, lblReadingCaption})
        caption->resize(std::max(caption->width(), caption->sizeHint().width()), caption->height());
    const int sideValueWidth = kOkLeft + kButtonWidth - kSideValueLeft;
    lblSetting[MistypeSetting] = addLabel(QStringLiteral("lblSetting_%1").arg(MistypeSetting), kSideValueLeft,
                                          4020, sideValueWidth);
    lblSetting[ReadingSetting] = addLabel(QStringLiteral("lblSetting_%1").arg(ReadingSetting), kSideValueLeft,
                                          4380, sideValueWidth);
    // The captions before these values fill their whole width in a Japanese font.
    lblSetting[MistypeSetting]->setIndent(m_twips.x(90));
    lblSetting[ReadingSetting]->setIndent(m_twips.x(90));

    cmdPrint = addButton(this, QStringLiteral("cmdPrint"), QStringLiteral("印刷"),
                         m_twips.rect(kPrintLeft, kButtonTop, kButtonWidth, kButtonHeight));
    cmdPrint->setAutoDefault(false);
    cmdOK = addButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"),
                      m_twips.rect(kOkLeft, kButtonTop, kButtonWidth, kButtonHeight));
    cmdOK->setDefault(true);
    connect(cmdPrint, &QPushButton::clicked, this, &frmPropaty::cmdPrint_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    fill(summary);

    const QRect used = childrenRect();
    setFixedSize(std::max(m_twips.x(kOkLeft + kButtonWidth + kMargin), used.right() + 1 + m_twips.x(kMargin)),
                 used.bottom() + 1 + m_twips.y(kMargin));
    cmdOK->setFocus();
}

void frmPropaty::fill(const LearnerSummary &summary)
{
    lblName->setText(shownFileName(m_name));
    for (int course = 0; course < 2; ++course) {
        const CourseTexts &t = summary.courses[std::size_t(course)];
        const QString texts[6] = {t.passedStep, t.runCount, t.totalTime,
                                  t.progressRate, t.bestSpm, t.lastPractice};
        for (int row = 0; row < 6; ++row)
            lblFigure[course][row]->setText(texts[row]);
    }
    for (int i = 0; i < 10; ++i)
        lblSetting[i]->setText(summary.settings[std::size_t(i)]);
    // A text too long for its label stays readable as a tip.
    for (QLabel *label : lblSetting)
        if (label->sizeHint().width() > label->width())
            label->setToolTip(label->text());

    lblMistypeCaption->setEnabled(summary.settings[KeyboardSetting] != QStringLiteral("非表示"));
    lblReadingCaption->setEnabled(summary.settings[KanjiSetting] != QStringLiteral("非表示"));
}

void frmPropaty::setShownName(const QString &name)
{
    lblName->setText(name);
}

void frmPropaty::cmdPrint_Click()
{
    const QString name = m_name;
    if (m_print)
        m_print(name);
    accept();
}

QLabel *frmPropaty::addLabel(const QString &objectName, int left, int top, int width,
                             Qt::Alignment alignment)
{
    return addPlainLabel(this, objectName, QRect(m_twips.x(left), m_twips.y(top), m_twips.x(width), m_labelHeight),
                         alignment);
}



} // namespace qel
