#include "dialogs/dialoglayout.h"

#include <QLabel>
#include <QPushButton>

namespace qel {

QLabel *addPlainLabel(QWidget *parent, const QString &objectName, const QRect &geometry,
                      Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

QPushButton *addButton(QWidget *parent, const QString &objectName, const QString &caption,
                       const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    return button;
}

void setDescription(QWidget *control, const QString &description)
{
    control->setToolTip(description);
    control->setAccessibleDescription(description);
}

} // namespace qel
