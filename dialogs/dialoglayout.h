#pragma once
// Labels and buttons of the dialogs' fixed layouts, placed in pixels from a TwipsScale.

#include "base/twips.h"

#include <QRect>
#include <QString>
#include <Qt>

class QLabel;
class QPushButton;
class QWidget;

namespace qel {

// A label showing plain text: names and settings come from files and are never markup.
QLabel *addPlainLabel(QWidget *parent, const QString &objectName, const QRect &geometry,
                      Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

QPushButton *addButton(QWidget *parent, const QString &objectName, const QString &caption,
                       const QRect &geometry);

// What a control does, as its tip and as what a screen reader says of it.
void setDescription(QWidget *control, const QString &description);

} // namespace qel
