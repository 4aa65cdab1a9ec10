#include "dialogs/frmTargets.h"

#include "base/dialogframe.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace qel {

namespace {

QSpinBox *spinBox(QWidget *parent, const QString &name, TargetRange range, const QString &suffix)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(range.low, range.high);
    box->setSuffix(suffix);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

frmTargets::frmTargets(const ClassTargets &targets, QWidget *parent) : QDialog(parent)
{
    setDialogFrame(*this);
    setObjectName(QStringLiteral("frmTargets"));
    setWindowTitle(QStringLiteral("目標の設定"));
    setModal(true);

    auto *grid = new QGridLayout;
    const QString courses[] = {QStringLiteral("英文"), QStringLiteral("かな/ローマ")};
    for (int c = 0; c < 2; ++c) {
        auto *head = new QLabel(courses[c], this);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, c + 1);
    }
    const QString rows[] = {
        QStringLiteral("SPM (直近10回の平均がこれ以上)"),
        QStringLiteral("ミスタイプ率 (直近10回の平均がこれ以下)"),
        QStringLiteral("1週間の練習時間 (これ以上)"),
        QStringLiteral("練習なしの日数 (これを超えると知らせる)"),
    };
    for (int r = 0; r < 4; ++r)
        grid->addWidget(new QLabel(rows[r], this), r + 1, 0);
    for (int c = 0; c < 2; ++c) {
        const QString index = QString::number(c);
        txtSpm[c] = spinBox(this, QStringLiteral("txtSpm_") + index, kSpmRange, QString());
        txtMistype[c] = new QDoubleSpinBox(this);
        txtMistype[c]->setObjectName(QStringLiteral("txtMistype_") + index);
        txtMistype[c]->setDecimals(1);
        txtMistype[c]->setSingleStep(0.5);
        txtMistype[c]->setRange(kMistypeTenthsRange.low / 10.0, kMistypeTenthsRange.high / 10.0);
        txtMistype[c]->setSuffix(QStringLiteral(" %"));
        txtMistype[c]->setAlignment(Qt::AlignRight);
        txtMinutes[c] = spinBox(this, QStringLiteral("txtMinutes_") + index, kMinutesRange, QStringLiteral(" 分"));
        txtIdleDays[c] = spinBox(this, QStringLiteral("txtIdleDays_") + index, kIdleDaysRange, QStringLiteral(" 日"));
        grid->addWidget(txtSpm[c], 1, c + 1);
        grid->addWidget(txtMistype[c], 2, c + 1);
        grid->addWidget(txtMinutes[c], 3, c + 1);
        grid->addWidget(txtIdleDays[c], 4, c + 1);
    }
    auto *note = new QLabel(QStringLiteral("練習時間の目標は練習の記録(履歴)があるときに使われます。"), this);
    note->setWordWrap(true);

    cmdDefaults = new QPushButton(QStringLiteral("初期値に戻す(&D)"), this);
    cmdDefaults->setObjectName(QStringLiteral("cmdDefaults"));
    cmdDefaults->setAutoDefault(false);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefaults);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTargets(targets);
    connect(cmdDefaults, &QPushButton::clicked, this, [this] { setTargets(ClassTargets{}); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
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
