#include "base/dialogframe.h"

#include <QWidget>

namespace qel {

void setDialogFrame(QWidget &dialog)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint);
}

} // namespace qel
