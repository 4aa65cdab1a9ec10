#include "reports/printjob.h"

#include "reports/groupreport.h"
#include "reports/pagegeometry.h"
#include "reports/pdftext.h"
#include "reports/personalreport.h"
#include "reports/printdraw.h"

#include "base/painting.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <functional>

namespace qel::reports {

QString deviceTarget(const QPagedPaintDevice &device)
{
    if (const auto *printer = dynamic_cast<const QPrinter *>(&device)) {
        if (!printer->outputFileName().isEmpty())
            return printer->outputFileName();
        return printer->printerName();
    }
    return QString();
}

namespace {

using DrawJob = std::function<bool(QPainter &, QString *)>;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// The glyph names of a PDF file follow the characters drawn (see pdftext.h).
bool repairPdf(const QString &path, const TextLog &log, QString *error)
{
    QString why;
    if (repairPdfTextMapping(path, log.characters(), QFont(draw::kGothic), &why))
        return true;
    setError(error, QStringLiteral("「%1」に書き込めませんでした: %2").arg(path, why));
    return false;
}

QString printerPdfFile(const QPagedPaintDevice &device)
{
    const auto *printer = dynamic_cast<const QPrinter *>(&device);
    return printer && printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName() : QString();
}

bool runJob(QPagedPaintDevice &device, const QString &target, QString *error, const DrawJob &draw)
{
    TextLog log;
    const QString name = target.isEmpty() ? deviceTarget(device) : target;
    const QString shown = name.isEmpty() ? QStringLiteral("プリンタ") : QStringLiteral("「%1」").arg(name);
    // The layouts are made for a portrait page.
    device.setPageOrientation(QPageLayout::Portrait);
    auto *printer = dynamic_cast<QPrinter *>(&device);
    if (printer) {
        // The layouts are measured from the corner of the printable area, that is from the
        // printer's unprintable edge: no margins beyond it (none at all on a PDF file).
        printer->setFullPage(false);
        printer->setPageMargins(printer->pageLayout().minimumMargins(), printer->pageLayout().units());
    }
    if (printer && !printer->isValid()) {
        setError(error, QStringLiteral("%1は使えません。印刷できませんでした。").arg(shown));
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        setError(error, QStringLiteral("%1を開けませんでした。印刷できませんでした。").arg(shown));
        return false;
    }
    QString drawError;
    const bool drawn = draw(painter, &drawError);
    const bool ended = painter.end();
    if (!drawn) {
        setError(error, QStringLiteral("%1への印刷が途中で止まりました。%2").arg(shown, drawError));
        return false;
    }
    if (!ended || (printer && printer->printerState() == QPrinter::Error)) {
        setError(error, QStringLiteral("%1への印刷を終えられませんでした。").arg(shown));
        return false;
    }
    const QString pdf = printerPdfFile(device);
    return pdf.isEmpty() || repairPdf(pdf, log, error);
}

bool writePdf(const QString &path, QString *error,
              const std::function<bool(QPagedPaintDevice &, QString *)> &print)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(error, QStringLiteral("「%1」に書き込めません: %2").arg(path, file.errorString()));
        return false;
    }
    bool ok = false;
    TextLog log;
    {
        QPdfWriter writer(&file);
        useA4Portrait(writer);
        ok = print(writer, error);
    }
    if (ok && (!file.flush() || file.error() != QFileDevice::NoError)) {
        setError(error, QStringLiteral("「%1」に書き込めませんでした: %2").arg(path, file.errorString()));
        ok = false;
    }
    file.close();
    if (ok)
        ok = repairPdf(path, log, error);
    if (!ok)
        file.remove();
    return ok;
}

} // namespace

bool printPersonalReport(QPagedPaintDevice &device, const QString &folder, const QStringList &names,
                         QString *error, const QString &target)
{
    if (names.isEmpty())
        return true;
    return runJob(device, target, error, [&](QPainter &painter, QString *drawError) {
        const PageGeometry page = pageGeometry(device);
        return drawPersonalReport(painter, page, folder, names, [&] { return device.newPage(); },
                                  drawError);
    });
}

bool printGroupReport(QPagedPaintDevice &device, const QString &folder,
                      const GroupStatistics &statistics, GroupCollections &collections,
                      QString *error, const QString &target)
{
    return runJob(device, target, error, [&](QPainter &painter, QString *) {
        drawGroupReport(painter, groupPageGeometry(device), folder, statistics, collections);
        return true;
    });
}

void useA4Portrait(QPdfWriter &writer)
{
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("QelViewer"));
}

bool writePersonalPdf(const QString &path, const QString &folder, const QStringList &names,
                      QString *error)
{
    if (names.isEmpty())
        return true;
    return writePdf(path, error, [&](QPagedPaintDevice &device, QString *jobError) {
        return printPersonalReport(device, folder, names, jobError, path);
    });
}

bool writeGroupPdf(const QString &path, const QString &folder, const GroupStatistics &statistics,
                   GroupCollections &collections, QString *error)
{
    return writePdf(path, error, [&](QPagedPaintDevice &device, QString *jobError) {
        return printGroupReport(device, folder, statistics, collections, jobError, path);
    });
}

} // namespace qel::reports
