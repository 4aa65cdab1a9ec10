#pragma once
// Printing a report from a window: the print dialog or Qt's print preview, both through the
// Asker, and a failure told once. The job draws the pages on whatever printer it is given.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace qel {

// Draws the report on `printer`; false with `error` saying why when it could not.
using PrintJob = std::function<bool(QPrinter &printer, QString *error)>;

// Tells whether a job may write `file`, the file the printer prints to (a PDF): `done`
// gets the refusal to show, empty when it may; it may be called later, once the record
// folder has been looked at away from the window's thread.
using OutputCheck = std::function<void(const QString &file, std::function<void(const QString &refusal)> done)>;

// The print dialog, then the job under a wait cursor; a failure is told. False when the
// dialog was cancelled. The dialog and notice sit on an open modal window (a dialog that
// asked for the printout), else on `parent`. With `check`, a file output is drawn only
// once the check lets it.
bool printWithDialog(QWidget *parent, const QString &document, const PrintJob &job, const OutputCheck &check = {});

// Qt's preview in Japanese, without page set-up or orientation (the reports are laid out
// for a portrait page): its pages are drawn by `job`, and its print button runs `print`,
// the report's own print command; the preview closes when that went ahead.
void previewWithDialog(QWidget *parent, const QString &document, const PrintJob &job,
                       const std::function<bool()> &print);

} // namespace qel
