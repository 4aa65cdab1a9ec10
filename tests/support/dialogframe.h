#pragma once
// A dialog that looks like one: a close box only, and a size the user cannot change.

#include <QWidget>

namespace qeltest {

inline bool hasDialogFrame(const QWidget &dialog)
{
    const Qt::WindowFlags flags = dialog.windowFlags();
    return (flags & Qt::CustomizeWindowHint) && (flags & Qt::WindowCloseButtonHint)
           && !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
           && dialog.minimumSize() == dialog.maximumSize();
}

} // namespace qeltest
