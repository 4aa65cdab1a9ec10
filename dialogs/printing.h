#pragma once
// Printing a document of the reports: the print dialog and the job, or Qt's print preview
// in Japanese, every dialog and failure notice through the Asker.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace qel {

// Draws the document on a printer; false with the reason when it could not.
using PrintJob = std::function<bool(QPrinter &printer, QString *error)>;

// The print dialog for `document`, then the job; a failure is shown. False only when the
// dialog was cancelled. The dialog and notice sit on an open modal window, else on `parent`.
bool printWithDialog(QWidget *parent, const QString &document, const PrintJob &job);

// The preview draws its pages with `job` on its own printer; its print button runs `print`
// (the document's print command) and closes the preview when that went ahead.
void showPrintPreview(QWidget *parent, const QString &document, const PrintJob &job,
                      const std::function<bool()> &print);

} // namespace qel
