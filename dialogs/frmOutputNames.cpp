#include "dialogs/frmOutputNames.h"

#include "base/dialogframe.h"

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
    setWindowTitle(QStringLiteral("名前の出力"));
    setModal(true);

    auto *label = new QLabel(QStringLiteral("出力する名前を選んでください。"), this);
    optRealNames = new QRadioButton(QStringLiteral("名前(&N)"), this);
    optRealNames->setObjectName(QStringLiteral("optRealNames"));
    optNumbers = new QRadioButton(QStringLiteral("番号 (学習者 12 など)(&U)"), this);
    optNumbers->setObjectName(QStringLiteral("optNumbers"));
    (numbers ? optNumbers : optRealNames)->setChecked(true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(optRealNames);
    layout->addWidget(optNumbers);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmOutputNames::numbers() const
{
    return optNumbers->isChecked();
}

} // namespace qel
