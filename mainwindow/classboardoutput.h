#pragma once
// The class board's commands that go beyond the pane: its printout (with preview), its CSV
// file and the targets of the record folder. Each takes the board as it is now, whether
// it is on display or not. Each output first asks which names to put
// out: the real ones, unless the teacher chooses the numbers (offered first while the
// window hides names, so that nothing shown on the projector brings them back).

#include "base/printpreview.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace qel {

class ClassBoard;

// True: numbers, false: names; nothing when cancelled.
std::optional<bool> askOutputNumbers(QWidget *parent, const ClassBoard &board);

// The print dialog, then the sheet. False when cancelled. `check` is asked whether a PDF file
// may be written (printWithDialog).
bool printClassBoard(QWidget *parent, ClassBoard &board, const QString &folder, const OutputCheck &check = {});
void previewClassBoard(QWidget *parent, ClassBoard &board, const QString &folder, const OutputCheck &check = {});

// The save dialog (opening in `startFolder`), then the file in code page 932, with the
// board as it was when the file was named. `saved` gets the folder the file went to; it is
// not called when nothing was written. A record or settings file of `folder` is refused:
// `check` finds that out (perhaps later, away from this thread); without it, it is found
// out here.
void exportClassBoardCsv(QWidget *parent, ClassBoard &board, const QString &folder, const QString &startFolder,
                         const std::function<void(const QString &savedIn)> &saved, const OutputCheck &check = {});

// The targets dialog with the folder's targets; on OK they are stored and the board
// assessed with them. A failure to store is shown; the board keeps the new targets for
// this session all the same. False when cancelled.
bool editClassTargets(QWidget *parent, ClassBoard &board, const QString &folder);

} // namespace qel
