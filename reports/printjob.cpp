#include "reports/printjob.h"

#include "reports/groupreport.h"
#include "reports/outputfile.h"
#include "reports/pagegeometry.h"
#include "reports/pdftext.h"
#include "reports/personalreport.h"
#include "reports/printdraw.h"
#include "reports/weekreport.h"

#include "base/painting.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>
#include <functional>

namespace qel::reports {

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(PrintJob)
};
} // namespace

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
    setError(error, Tr::tr("「%1」に書き込めませんでした: %2").arg(path, why));
    return false;
}

QString printerPdfFile(const QPagedPaintDevice &device)
{
    const auto *printer = dynamic_cast<const QPrinter *>(&device);
    return printer && printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName() : QString();
}

// Whether the PDF file at `path` was written to its end: the cross-reference table its
// last lines point to stands where they say. Bytes a full disk dropped on the way shift it;
// a file cut short has no such end at all.
bool pdfComplete(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 32)
        return false;
    const qint64 tailSize = std::min<qint64>(file.size(), 1024);
    if (!file.seek(file.size() - tailSize))
        return false;
    const QByteArray tail = file.read(tailSize).trimmed();
    const qsizetype at = tail.lastIndexOf("startxref");
    if (!tail.endsWith("%%EOF") || at < 0)
        return false;
    bool number = false;
    const qint64 offset = tail.mid(at + 9, tail.size() - 5 - at - 9).trimmed().toLongLong(&number);
    return number && offset >= 0 && file.seek(offset) && file.read(4) == "xref";
}

// A PDF file made beside its target and put in place only when it is complete: a job that
// fails or runs out of disk leaves an earlier file as it was, and no cut one.
class PdfDraft {
public:
    explicit PdfDraft(const QString &target)
        : m_target(target),
          m_draft(QFileInfo(target).absolutePath() + QStringLiteral("/.qelviewer-XXXXXX.pdf"))
    {
        m_ready = m_draft.open();
        m_draft.close(); // the file stays and goes when the draft does
    }

    bool ready() const { return m_ready; }
    QString errorString() const { return m_draft.errorString(); }
    QString path() const { return m_draft.fileName(); }

    bool commit(const TextLog &log, QString *error)
    {
        if (!pdfComplete(path())) {
            setError(error, Tr::tr("「%1」に書き込めませんでした: ディスクがいっぱいか、書き込みに失敗しました。")
                                .arg(m_target));
            return false;
        }
        if (!repairPdf(path(), log, error))
            return false;
        QFile draft(path());
        if (!draft.open(QIODevice::ReadOnly)) {
            setError(error, Tr::tr("「%1」に書き込めませんでした: %2").arg(m_target, draft.errorString()));
            return false;
        }
        QString why;
        const bool copied = saveWhole(m_target, [&](QIODevice &out) {
            QByteArray chunk;
            while (!(chunk = draft.read(64 * 1024)).isEmpty())
                if (out.write(chunk) != chunk.size())
                    return false;
            return draft.error() == QFileDevice::NoError;
        }, &why);
        if (!copied)
            setError(error, Tr::tr("「%1」に書き込めませんでした: %2").arg(m_target, why));
        return copied;
    }

private:
    QString m_target;
    QTemporaryFile m_draft;
    bool m_ready = false;
};

// A record or settings file of the folder is never a print job's output file.
bool refuseTrainerFile(const QString &folder, const QString &file, QString *error)
{
    if (file.isEmpty() || !isTrainerFile(folder, file))
        return false;
    setError(error, trainerFileRefusal(file));
    return true;
}

bool drawJob(QPagedPaintDevice &device, const QString &target, QString *error, const DrawJob &draw)
{
    const QString name = target.isEmpty() ? deviceTarget(device) : target;
    //: The printer named in the messages below when it has no name of its own.
    const QString shown = name.isEmpty() ? Tr::tr("プリンタ")
                                         //: The printer named in the messages below: %1 its name.
                                         : Tr::tr("「%1」").arg(name);
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
        setError(error, Tr::tr("%1は使えません。印刷できませんでした。").arg(shown));
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        setError(error, Tr::tr("%1を開けませんでした。印刷できませんでした。").arg(shown));
        return false;
    }
    QString drawError;
    const bool drawn = draw(painter, &drawError);
    const bool ended = painter.end();
    if (!drawn) {
        //: %1: the printer, %2: what went wrong.
        setError(error, Tr::tr("%1への印刷が途中で止まりました。%2").arg(shown, drawError));
        return false;
    }
    if (!ended || (printer && printer->printerState() == QPrinter::Error)) {
        setError(error, Tr::tr("%1への印刷を終えられませんでした。").arg(shown));
        return false;
    }
    return true;
}

bool runJob(QPagedPaintDevice &device, const QString &target, QString *error, const DrawJob &draw)
{
    auto *printer = dynamic_cast<QPrinter *>(&device);
    const QString pdf = printerPdfFile(device);
    if (pdf.isEmpty())
        return drawJob(device, target, error, draw);
    // A printer's PDF file is written as a draft and put in place when complete.
    PdfDraft draft(pdf);
    if (!draft.ready()) {
        setError(error, Tr::tr("「%1」を開けませんでした。印刷できませんでした。").arg(pdf));
        return false;
    }
    TextLog log;
    printer->setOutputFileName(draft.path());
    const bool printed = drawJob(device, target.isEmpty() ? pdf : target, error, draw);
    printer->setOutputFileName(pdf);
    return printed && draft.commit(log, error);
}

bool writePdf(const QString &path, QString *error,
              const std::function<bool(QPagedPaintDevice &, QString *)> &print)
{
    PdfDraft draft(path);
    if (!draft.ready()) {
        setError(error, Tr::tr("「%1」に書き込めません: %2").arg(path, draft.errorString()));
        return false;
    }
    QFile file(draft.path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(error, Tr::tr("「%1」に書き込めません: %2").arg(path, file.errorString()));
        return false;
    }
    TextLog log;
    bool ok = false;
    {
        QPdfWriter writer(&file);
        useA4Portrait(writer);
        ok = print(writer, error);
    }
    if (ok && (!file.flush() || file.error() != QFileDevice::NoError)) {
        setError(error, Tr::tr("「%1」に書き込めませんでした: %2").arg(path, file.errorString()));
        ok = false;
    }
    file.close();
    return ok && draft.commit(log, error);
}

} // namespace

namespace {
bool printLearners(QPagedPaintDevice &device, const QString &folder, int count, const LearnerSource &learner,
                   QString *error, const QString &target, std::vector<UnreadableFile> *unreadable)
{
    if (count == 0)
        return true;
    if (refuseTrainerFile(folder, printerPdfFile(device), error))
        return false;
    return runJob(device, target, error, [&](QPainter &painter, QString *drawError) {
        const PageGeometry page = pageGeometry(device);
        return drawPersonalReport(painter, page, count, learner, [&] { return device.newPage(); }, drawError,
                                  unreadable);
    });
}
} // namespace

bool printPersonalReport(QPagedPaintDevice &device, const QString &folder, const QStringList &names,
                         QString *error, const QString &target, std::vector<UnreadableFile> *unreadable)
{
    return printLearners(device, folder, int(names.size()), readingLearners(folder, names), error, target,
                         unreadable);
}

bool printLearnerPages(QPagedPaintDevice &device, const std::vector<LearnerRecord> &learners, QString *error)
{
    return printLearners(
        device, QString(), int(learners.size()),
        [&learners](int index) -> const LearnerRecord & { return learners[std::size_t(index)]; }, error, QString(),
        nullptr);
}

bool printGroupReport(QPagedPaintDevice &device, const QString &folder,
                      const GroupStatistics &statistics, GroupCollections &collections,
                      QString *error, const QString &target)
{
    if (refuseTrainerFile(folder, printerPdfFile(device), error))
        return false;
    return runJob(device, target, error, [&](QPainter &painter, QString *) {
        drawGroupReport(painter, groupPageGeometry(device), folder, statistics, collections);
        return true;
    });
}

bool printGroupPage(QPagedPaintDevice &device, const QString &folder, const GroupStatistics &statistics,
                    GroupCollections &collections, QString *error)
{
    return runJob(device, QString(), error, [&](QPainter &painter, QString *) {
        drawGroupReport(painter, groupPageGeometry(device), folder, statistics, collections);
        return true;
    });
}

bool printWeekReport(QPagedPaintDevice &device, const QString &folder, const history::WeekComparison &comparison,
                     QString *error, const QString &target)
{
    if (refuseTrainerFile(folder, printerPdfFile(device), error))
        return false;
    return runJob(device, target, error, [&](QPainter &painter, QString *) {
        drawWeekReport(painter, groupPageGeometry(device), folder, comparison);
        return true;
    });
}

bool printClassSheet(QPagedPaintDevice &device, const QString &folder, const ClassSheet &sheet,
                     QString *error, const QString &target)
{
    if (refuseTrainerFile(folder, printerPdfFile(device), error))
        return false;
    return runJob(device, target, error, [&](QPainter &painter, QString *) {
        drawClassSheet(painter, pageGeometry(device), sheet);
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
                      QString *error, std::vector<UnreadableFile> *unreadable)
{
    if (names.isEmpty())
        return true;
    if (refuseTrainerFile(folder, path, error))
        return false;
    return writePdf(path, error, [&](QPagedPaintDevice &device, QString *jobError) {
        return printPersonalReport(device, folder, names, jobError, path, unreadable);
    });
}

bool writeGroupPdf(const QString &path, const QString &folder, const GroupStatistics &statistics,
                   GroupCollections &collections, QString *error)
{
    if (refuseTrainerFile(folder, path, error))
        return false;
    return writePdf(path, error, [&](QPagedPaintDevice &device, QString *jobError) {
        return printGroupReport(device, folder, statistics, collections, jobError, path);
    });
}

bool writeWeekPdf(const QString &path, const QString &folder, const history::WeekComparison &comparison,
                  QString *error)
{
    if (refuseTrainerFile(folder, path, error))
        return false;
    return writePdf(path, error, [&](QPagedPaintDevice &device, QString *jobError) {
        return printWeekReport(device, folder, comparison, jobError, path);
    });
}

bool writeClassSheetPdf(const QString &path, const QString &folder, const ClassSheet &sheet, QString *error)
{
    if (refuseTrainerFile(folder, path, error))
        return false;
    return writePdf(path, error, [&](QPagedPaintDevice &device, QString *jobError) {
        return printClassSheet(device, folder, sheet, jobError, path);
    });
}

} // namespace qel::reports
