#include "dialogs/frmOutputNames.h"

#include "dialogs/dialoglayout.h"

#include "base/dialogframe.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qel {

frmOutputNames::frmOutputNames(bool numbers, QWidget *parent) : QDialog(parent)
{
    setDialogFrame(*this);
    setObjectName(QStringLiteral("frmOutputNames"));
    setModal(true);

    lblQuestion = new QLabel(this);
    optRealNames = new QRadioButton(this);
    optRealNames->setObjectName(QStringLiteral("optRealNames"));
    optNumbers = new QRadioButton(this);
    optNumbers->setObjectName(QStringLiteral("optNumbers"));
    (numbers ? optNumbers : optRealNames)->setChecked(true);

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblQuestion);
    layout->addWidget(optRealNames);
    layout->addWidget(optNumbers);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void frmOutputNames::retranslate()
{
    //: Title of the question which names go on the class board's printout or CSV file.
    setWindowTitle(tr("名前の出力"));
    lblQuestion->setText(tr("出力する名前を選んでください。"));
    //: The learners' own names, ...
    optRealNames->setText(tr("名前(&N)"));
    //: ... or the numbers the window shows while it hides the names.
    optNumbers->setText(tr("番号 (学習者 12 など)(&U)"));
    setDescription(optRealNames, tr("学習者の名前をそのまま出力します。"));
    setDescription(optNumbers, tr("画面と同じ番号を出力し、名前は出しません。"));
    cmdOK->setText(tr("OK"));
    cmdCancel->setText(tr("キャンセル"));
}

void frmOutputNames::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

bool frmOutputNames::numbers() const
{
    return optNumbers->isChecked();
}

} // namespace qel
