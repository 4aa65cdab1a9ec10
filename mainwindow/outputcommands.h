#pragma once
// The window's outputs: the personal and group printouts, their previews, and the CSV export.
// What they print comes read through the folder session; the window's thread only draws
// and writes the output file.

#include "base/printpreview.h"
#include "records/groupstats.h"
#include "records/learnertable.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace qel {

class FolderSession;

class OutputCommands {
public:
    // Held from the start of an output until it has ended: refreshes wait meanwhile.
    using Hold = std::function<std::shared_ptr<void>()>;

    OutputCommands(QWidget &window, FolderSession &session, Hold hold);

    // One page per learner, in this order. Nothing without a name.
    void printLearners(const QStringList &names);
    void previewLearners(const QStringList &names);
    // The group page of these figures, with the histograms of `collections`.
    void printGroup(const GroupStatistics &figures, const GroupCollections &collections);
    void previewGroup(const GroupStatistics &figures, const GroupCollections &collections);

    // The rows as a CSV file the user names, starting from `suggestedName`
    // in the folder of the last export; `folderOfLast` is that folder, and is set anew.
    void exportRows(const std::vector<TableRow> &rows, const QString &suggestedName, QString &folderOfLast);

    // Whether an output file may be written: it is checked against the record folder away
    // from the window's thread, each check holding the command until it has answered.
    OutputCheck outputCheck();

private:
    using Job = std::function<bool(QPrinter &printer, QString *error)>;
    // The print dialog, then the job; false when cancelled.
    bool print(const QString &document, const Job &job);
    void preview(const QString &document, const Job &job, const std::function<bool()> &print);

    QWidget &window_;
    FolderSession &session_;
    Hold hold_;
};

// Where the save dialog opens: the folder of the last export while it is there, else the
// user's documents (or home where there are none).
QString csvStartFolder(const QString &folderOfLast);

} // namespace qel
