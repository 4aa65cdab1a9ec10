#include "dialogs/frmPropaty.h"

#include "base/dialogframe.h"
#include "base/painting.h"
#include "records/filenames.h"
#include "records/learnersummary.h"

#include <QEvent>
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

// Settings shown on the left, under the captions of lblSettingCaption 3 to 6.
constexpr SettingIndex kLeftSettings[4] = {KeyboardSetting, KanjiSetting, CursorSetting, ElapsedTimeSetting};
constexpr int kLeftSettingTop[4] = {4020, 4380, 4740, 5100};

// The trainer leaves the mistype key and the reading unset ("－") exactly when the keyboard
// or the kanji is hidden: a sign that reads the same in every language.
const QString kNotApplicable = QStringLiteral("－");

} // namespace

frmPropaty::frmPropaty(const LearnerSummary &summary, const QString &learnerKey, const QIcon &icon,
                       PrintCallback print, QWidget *parent)
    : QDialog(parent), m_name(learnerKey), m_print(std::move(print)), m_twips(this)
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setWindowIcon(icon);
    setFont(QFont(draw::kPGothic, 9));
    // Japanese fonts run taller than the rows were drawn for; never cut a line.
    m_labelHeight = std::max(m_twips.y(255), fontMetrics().height() + 2);

    lblUserCaption = addLabel(QStringLiteral("lblUserCaption"), kCaptionLeft, 120, 1320);
    lblName = addLabel(QStringLiteral("lblName"), kColumnLeft[0], 120, kOkLeft + kButtonWidth - kColumnLeft[0]);

    for (int course = 0; course < 2; ++course)
        lblHeader[course] = addLabel(QStringLiteral("lblHeader_%1").arg(course), kHeaderLeft[course], 450, 1700);

    for (int row = 0; row < 6; ++row) {
        lblFigureCaption[row] =
            addLabel(QStringLiteral("lblFigureCaption_%1").arg(row), kCaptionLeft, kFigureTop[row], 1320);
        for (int course = 0; course < 2; ++course)
            lblFigure[course][row] = addLabel(QStringLiteral("lblFigure_%1_%2").arg(course).arg(row),
                                              kColumnLeft[course], kFigureTop[row], kColumnWidth,
                                              Qt::AlignCenter);
    }

    // A shortened practice-text name has 26 bytes: 26 narrow or 13 wide characters. The
    // label runs up to the next column, a little wider than the figures above it.
    const int textWidth = std::max(m_twips.x(kTextWidth),
                                   fontMetrics().horizontalAdvance(QString(13, QChar(0x3042))) + 4);
    lblSettingCaption[0] = addLabel(QStringLiteral("lblTextCaption"), kCaptionLeft, kTextTop, 1320);
    for (int course = 0; course < 2; ++course) {
        QLabel *label = addLabel(QStringLiteral("lblSetting_%1").arg(course), kColumnLeft[course], kTextTop,
                                 kColumnWidth, Qt::AlignCenter);
        label->resize(textWidth, label->height());
        lblSetting[course] = label;
    }

    lblSettingCaption[1] = addLabel(QStringLiteral("lblConversionModeCaption"), kCaptionLeft, 3300, 1320);
    lblSetting[ConversionModeSetting] = addLabel(QStringLiteral("lblSetting_%1").arg(ConversionModeSetting),
                                                 kColumnLeft[1], 3300, kColumnWidth, Qt::AlignCenter);

    lblSettingCaption[2] = addLabel(QStringLiteral("lblSpeedGuideCaption"), kCaptionLeft, 3660, 1320);
    lblSetting[SpeedGuideSetting] = addLabel(QStringLiteral("lblSetting_%1").arg(SpeedGuideSetting),
                                             kColumnLeft[0], 3660, 4635);

    for (int row = 0; row < 4; ++row) {
        const int setting = kLeftSettings[row];
        lblSettingCaption[std::size_t(3 + row)] = addLabel(QStringLiteral("lblSettingCaption_%1").arg(setting),
                                                           kCaptionLeft, kLeftSettingTop[row], 1320);
        lblSetting[setting] = addLabel(QStringLiteral("lblSetting_%1").arg(setting), kColumnLeft[0],
                                       kLeftSettingTop[row], kLeftSettingWidth);
    }

    lblMistypeCaption = addLabel(QStringLiteral("lblMistypeCaption"), kSideCaptionLeft, 4020,
                                 kSideValueLeft - kSideCaptionLeft);
    lblReadingCaption = addLabel(QStringLiteral("lblReadingCaption"), kSideCaptionLeft, 4380,
                                 kSideValueLeft - kSideCaptionLeft);
    const int sideValueWidth = kOkLeft + kButtonWidth - kSideValueLeft;
    lblSetting[MistypeSetting] = addLabel(QStringLiteral("lblSetting_%1").arg(MistypeSetting), kSideValueLeft,
                                          4020, sideValueWidth);
    lblSetting[ReadingSetting] = addLabel(QStringLiteral("lblSetting_%1").arg(ReadingSetting), kSideValueLeft,
                                          4380, sideValueWidth);
    // The captions before these values fill their whole width in a Japanese font.
    lblSetting[MistypeSetting]->setIndent(m_twips.x(90));
    lblSetting[ReadingSetting]->setIndent(m_twips.x(90));

    cmdPrint = addButton(this, QStringLiteral("cmdPrint"), QString(),
                         m_twips.rect(kPrintLeft, kButtonTop, kButtonWidth, kButtonHeight));
    cmdPrint->setAutoDefault(false);
    cmdOK = addButton(this, QStringLiteral("cmdOK"), QString(),
                      m_twips.rect(kOkLeft, kButtonTop, kButtonWidth, kButtonHeight));
    cmdOK->setDefault(true);
    connect(cmdPrint, &QPushButton::clicked, this, &frmPropaty::cmdPrint_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    retranslate();
    lblName->setText(shownFileName(m_name));
    setSummary(summary);

    const QRect used = childrenRect();
    setFixedSize(std::max(m_twips.x(kOkLeft + kButtonWidth + kMargin), used.right() + 1 + m_twips.x(kMargin)),
                 used.bottom() + 1 + m_twips.y(kMargin));
    cmdOK->setFocus();
}

void frmPropaty::retranslate()
{
    //: Title of the personal properties dialog.
    setWindowTitle(tr("個人のプロパティ"));
    //: Caption of the learner's name.
    lblUserCaption->setText(tr("利用者"));
    lblHeader[0]->setText(tr("英文練習"));
    lblHeader[1]->setText(tr("かな／ローマ練習"));
    for (QLabel *header : lblHeader)
        header->resize(std::max(m_twips.x(1700), header->sizeHint().width()), header->height());

    const QString figureCaptions[6] = {
        //: Captions of a learner's figures, one row each: the highest STEP passed, ...
        tr("合格済ステップ"),
        //: ... the number of practice runs, ...
        tr("練習回数"),
        tr("総練習時間"),
        //: ... the progress rate (strokes per minute gained per run), ...
        tr("上達度"),
        //: ... the best strokes per minute, ...
        tr("最高SPM"),
        //: ... the date of the last run.
        tr("最終練習日"),
    };
    for (int row = 0; row < 6; ++row) {
        lblFigureCaption[row]->setText(figureCaptions[row]);
        for (int course = 0; course < 2; ++course)
            //: A figure as a screen reader names it: %1 the figure, %2 the Course's practice.
            lblFigure[course][row]->setAccessibleName(
                tr("%1（%2）").arg(figureCaptions[row], lblHeader[course]->text()));
    }

    const QString settingCaptions[7] = {
        //: Captions of the learner's own trainer settings: the practice text, ...
        tr("テキスト"),
        //: ... the kana conversion mode, ...
        tr("変換モード"),
        tr("スピードガイド"),
        //: ... whether the on-screen keyboard shows, ...
        tr("キーボード"),
        //: ... whether kanji show, ...
        tr("漢字"),
        tr("カーソル"),
        //: ... whether the elapsed time shows.
        tr("経過時間"),
    };
    for (int i = 0; i < 7; ++i)
        lblSettingCaption[std::size_t(i)]->setText(settingCaptions[i]);
    //: Setting beside the keyboard: whether the keyboard marks a mistyped key.
    lblMistypeCaption->setText(tr("ミスタイプ"));
    //: Setting beside the kanji: whether the reading shows over kanji.
    lblReadingCaption->setText(tr("読み仮名"));
    for (QLabel *caption : {lblMistypeCaption, lblReadingCaption})
        caption->resize(std::max(m_twips.x(kSideValueLeft - kSideCaptionLeft), caption->sizeHint().width()),
                        caption->height());

    lblName->setAccessibleName(lblUserCaption->text());
    for (int course = 0; course < 2; ++course)
        lblSetting[course]->setAccessibleName(tr("%1（%2）").arg(settingCaptions[0], lblHeader[course]->text()));
    lblSetting[ConversionModeSetting]->setAccessibleName(settingCaptions[1]);
    lblSetting[SpeedGuideSetting]->setAccessibleName(settingCaptions[2]);
    for (int row = 0; row < 4; ++row)
        lblSetting[kLeftSettings[row]]->setAccessibleName(settingCaptions[3 + row]);
    lblSetting[MistypeSetting]->setAccessibleName(lblMistypeCaption->text());
    lblSetting[ReadingSetting]->setAccessibleName(lblReadingCaption->text());

    cmdPrint->setText(tr("印刷"));
    setDescription(cmdPrint, tr("この学習者の個人レポートを印刷して閉じます。"));
    cmdOK->setText(tr("OK"));
}

void frmPropaty::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void frmPropaty::setSummary(const LearnerSummary &summary)
{
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
        label->setToolTip(label->sizeHint().width() > label->width() ? label->text() : QString());

    lblMistypeCaption->setEnabled(summary.settings[MistypeSetting] != kNotApplicable);
    lblReadingCaption->setEnabled(summary.settings[ReadingSetting] != kNotApplicable);
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
