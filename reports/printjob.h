#pragma once
// Print jobs of the two reports on a printer or a PDF writer: open the device, draw,
// end the document, and say what went wrong when something did.

#include "history/figures.h"
#include "records/groupstats.h"
#include "records/loadedhistory.h"
#include "reports/classsheet.h"
#include "records/readingfile.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPdfWriter;

namespace qel::reports {

// The printer or output file of a device, for messages; empty when unknown.
QString deviceTarget(const QPagedPaintDevice &device);

// Every device is turned to portrait. A printer is also set to its smallest margins, the
// physical offset of its printable area, from which the layouts are measured; other
// devices keep theirs.

// A printer's PDF file is made as a draft beside it and replaces the file only once the
// job is complete; one that names a record or settings file of `folder` is refused.

// One page per name on `device`. An empty list prints nothing and
// succeeds. False when the device cannot be opened, a page cannot be started or the
// document cannot be ended; `error` then names the printer or file (`target`, or what
// the device tells). Files that are there but could not be read go to `unreadable`.
bool printPersonalReport(QPagedPaintDevice &device, const QString &folder, const QStringList &names,
                         QString *error = nullptr, const QString &target = QString(),
                         std::vector<UnreadableFile> *unreadable = nullptr);
// The same for learners read already; the caller has made sure the output is no trainer's
// file.
bool printLearnerPages(QPagedPaintDevice &device, const std::vector<LearnerRecord> &learners, QString *error = nullptr);

// The group page on `device`, with the statistics texts and the
// histograms of `collections`, whose lists are left sorted.
bool printGroupReport(QPagedPaintDevice &device, const QString &folder,
                      const GroupStatistics &statistics, GroupCollections &collections,
                      QString *error = nullptr, const QString &target = QString());

// The same without looking at the output file: the caller has made sure it is no trainer's.
bool printGroupPage(QPagedPaintDevice &device, const QString &folder, const GroupStatistics &statistics,
                    GroupCollections &collections, QString *error = nullptr);

// "今週と先週" on one page of `device`.
bool printWeekReport(QPagedPaintDevice &device, const QString &folder, const history::WeekComparison &comparison,
                     QString *error = nullptr, const QString &target = QString());

// The class board's sheet on one page of `device`.
bool printClassSheet(QPagedPaintDevice &device, const QString &folder, const ClassSheet &sheet,
                     QString *error = nullptr, const QString &target = QString());

// A4 portrait at 600 dpi without margins: a PDF has no unprintable edge.
void useA4Portrait(QPdfWriter &writer);

// The reports as A4 PDF files, made as a draft beside `path` that replaces it only once
// complete: a file that cannot be written, or a job that fails, leaves an earlier file as
// it was and no new one. A record or settings file of `folder` is refused. An empty name
// list writes nothing and succeeds.
bool writePersonalPdf(const QString &path, const QString &folder, const QStringList &names,
                      QString *error = nullptr, std::vector<UnreadableFile> *unreadable = nullptr);
bool writeGroupPdf(const QString &path, const QString &folder, const GroupStatistics &statistics,
                   GroupCollections &collections, QString *error = nullptr);
bool writeWeekPdf(const QString &path, const QString &folder, const history::WeekComparison &comparison,
                  QString *error = nullptr);
bool writeClassSheetPdf(const QString &path, const QString &folder, const ClassSheet &sheet,
                        QString *error = nullptr);

} // namespace qel::reports
