#pragma once
// The frame of the program's dialogs: a caption with a close box, no minimise or maximise
// box. Each dialog fixes its own size.

class QWidget;

namespace qel {

void setDialogFrame(QWidget &dialog);

} // namespace qel
