#pragma once
// Print jobs of the two reports on a printer or a PDF writer: open the device, draw,
// end the document, and say what went wrong when something did.

#include "records/groupstats.h"

#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPdfWriter;

namespace qel::reports {

// The printer or output file of a device, for messages; empty when unknown.
QString deviceTarget(const QPagedPaintDevice &device);

// Every device is turned to portrait. A printer is also set to its smallest margins, the
// physical offset of its printable area, from which the layouts are measured; other
// devices keep theirs.

// One page per name on `device`. An empty list prints nothing and
// succeeds. False when the device cannot be opened, a page cannot be started or the
// document cannot be ended; `error` then names the printer or file (`target`, or what
// the device tells).
bool printPersonalReport(QPagedPaintDevice &device, const QString &folder, const QStringList &names,
                         QString *error = nullptr, const QString &target = QString());

// The group page on `device`, with the statistics texts and the
// histograms of `collections`, whose lists are left sorted.
bool printGroupReport(QPagedPaintDevice &device, const QString &folder,
                      const GroupStatistics &statistics, GroupCollections &collections,
                      QString *error = nullptr, const QString &target = QString());

// A4 portrait at 600 dpi without margins: a PDF has no unprintable edge.
void useA4Portrait(QPdfWriter &writer);

// The reports as A4 PDF files. A file that cannot be written, or a job that fails,
// leaves no file behind. An empty name list writes nothing and succeeds.
bool writePersonalPdf(const QString &path, const QString &folder, const QStringList &names,
                      QString *error = nullptr);
bool writeGroupPdf(const QString &path, const QString &folder, const GroupStatistics &statistics,
                   GroupCollections &collections, QString *error = nullptr);

} // namespace qel::reports
