#include "dialogs/frmTargets.h"

#include "dialogs/dialoglayout.h"

#include "base/dialogframe.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace qel {

namespace {

QSpinBox *spinBox(QWidget *parent, const QString &name, TargetRange range)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(range.low, range.high);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

frmTargets::frmTargets(const ClassTargets &targets, QWidget *parent) : QDialog(parent)
{
    setDialogFrame(*this);
    setObjectName(QStringLiteral("frmTargets"));
    setModal(true);

    auto *grid = new QGridLayout;
    for (int c = 0; c < 2; ++c) {
        lblCourse[c] = new QLabel(this);
        lblCourse[c]->setAlignment(Qt::AlignCenter);
        grid->addWidget(lblCourse[c], 0, c + 1);
    }
    for (int r = 0; r < 4; ++r) {
        lblRow[r] = new QLabel(this);
        grid->addWidget(lblRow[r], r + 1, 0);
    }
    for (int c = 0; c < 2; ++c) {
        const QString index = QString::number(c);
        txtSpm[c] = spinBox(this, QStringLiteral("txtSpm_") + index, kSpmRange);
        txtMistype[c] = new QDoubleSpinBox(this);
        txtMistype[c]->setObjectName(QStringLiteral("txtMistype_") + index);
        txtMistype[c]->setDecimals(1);
        txtMistype[c]->setSingleStep(0.5);
        txtMistype[c]->setRange(kMistypeTenthsRange.low / 10.0, kMistypeTenthsRange.high / 10.0);
        txtMistype[c]->setSuffix(QStringLiteral(" %"));
        txtMistype[c]->setAlignment(Qt::AlignRight);
        txtMinutes[c] = spinBox(this, QStringLiteral("txtMinutes_") + index, kMinutesRange);
        txtIdleDays[c] = spinBox(this, QStringLiteral("txtIdleDays_") + index, kIdleDaysRange);
        grid->addWidget(txtSpm[c], 1, c + 1);
        grid->addWidget(txtMistype[c], 2, c + 1);
        grid->addWidget(txtMinutes[c], 3, c + 1);
        grid->addWidget(txtIdleDays[c], 4, c + 1);
    }
    lblNote = new QLabel(this);
    lblNote->setWordWrap(true);

    cmdDefaults = new QPushButton(this);
    cmdDefaults->setObjectName(QStringLiteral("cmdDefaults"));
    cmdDefaults->setAutoDefault(false);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefaults);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lblNote);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    retranslate();
    setTargets(targets);
    connect(cmdDefaults, &QPushButton::clicked, this, [this] { setTargets(ClassTargets{}); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmTargets::retranslate()
{
    //: Title of the dialog of the class board's targets.
    setWindowTitle(tr("目標の設定"));
    const QString courses[2] = {tr("英文"), tr("かな/ローマ")};
    const QString rows[4] = {
        //: A learner falls short when the mean SPM of the last ten runs is below this.
        tr("SPM (直近10回の平均がこれ以上)"),
        //: A learner falls short when the mean mistype rate of the last ten runs is above this.
        tr("ミスタイプ率 (直近10回の平均がこれ以下)"),
        tr("1週間の練習時間 (これ以上)"),
        //: The board tells of a learner who has not practised for more days than this.
        tr("練習なしの日数 (これを超えると知らせる)"),
    };
    for (int c = 0; c < 2; ++c)
        lblCourse[c]->setText(courses[c]);
    for (int r = 0; r < 4; ++r)
        lblRow[r]->setText(rows[r]);
    for (int c = 0; c < 2; ++c) {
        //: Suffix of the minutes a week.
        txtMinutes[c]->setSuffix(tr(" 分"));
        //: Suffix of the days without practice.
        txtIdleDays[c]->setSuffix(tr(" 日"));
        const std::array<QWidget *, 4> boxes = {txtSpm[c], txtMistype[c], txtMinutes[c], txtIdleDays[c]};
        for (int r = 0; r < 4; ++r)
            //: A target's field as a screen reader names it: %1 the target, %2 the Course.
            boxes[std::size_t(r)]->setAccessibleName(tr("%1（%2）").arg(rows[r], courses[c]));
    }
    lblNote->setText(tr("練習時間の目標は練習の記録(履歴)があるときに使われます。"));
    cmdDefaults->setText(tr("初期値に戻す(&D)"));
    setDescription(cmdDefaults, tr("すべての目標を初めの値に戻します。OK を押すまで保存されません。"));
    cmdOK->setText(tr("OK"));
    cmdCancel->setText(tr("キャンセル"));
}

void frmTargets::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

ClassTargets frmTargets::targets() const
{
    ClassTargets targets;
    for (const Course course : {English, Kana}) {
        const int c = int(course);
        CourseTargets &t = targets.of(course);
        t.spm = txtSpm[c]->value();
        t.mistypeTenths = int(std::lround(txtMistype[c]->value() * 10));
        t.minutesPerWeek = txtMinutes[c]->value();
        t.idleDays = txtIdleDays[c]->value();
    }
    return targets;
}

void frmTargets::setTargets(const ClassTargets &targets)
{
    for (const Course course : {English, Kana}) {
        const int c = int(course);
        const CourseTargets &t = targets.of(course);
        txtSpm[c]->setValue(t.spm);
        txtMistype[c]->setValue(t.mistypeTenths / 10.0);
        txtMinutes[c]->setValue(t.minutesPerWeek);
        txtIdleDays[c]->setValue(t.idleDays);
    }
}

} // namespace qel
