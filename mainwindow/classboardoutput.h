#pragma once
// The class board's commands that go beyond the pane: its printout (with preview), its CSV
// file and the targets of the record folder. Each output first asks which names to put
// out: the real ones, unless the teacher chooses the numbers (offered first while the
// window hides names, so that nothing shown on the projector brings them back).

#include <QString>
#include <optional>

class QWidget;

namespace qel {

class ClassBoard;

// True: numbers, false: names; nothing when cancelled.
std::optional<bool> askOutputNumbers(QWidget *parent, const ClassBoard &board);

// The print dialog, then the sheet. False when cancelled.
bool printClassBoard(QWidget *parent, const ClassBoard &board, const QString &folder);
void previewClassBoard(QWidget *parent, const ClassBoard &board, const QString &folder);

// The save dialog (opening in `startFolder`), then the file in code page 932. Returns the
// folder the file went to, or nothing when nothing was written. A record or settings
// file of `folder` is refused.
std::optional<QString> exportClassBoardCsv(QWidget *parent, const ClassBoard &board, const QString &folder,
                                           const QString &startFolder);

// The targets dialog with the folder's targets; on OK they are stored and the board
// assessed with them. A failure to store is shown; the board keeps the new targets for
// this session all the same. False when cancelled.
bool editClassTargets(QWidget *parent, ClassBoard &board, const QString &folder);

} // namespace qel
