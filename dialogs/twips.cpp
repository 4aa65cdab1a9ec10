#include "twips.h"

#include <QLabel>

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

} // namespace qel
