#include "dialogs/printing.h"

#include "base/asker.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace qel {

namespace {

QWidget *printParent(QWidget *parent)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : parent;
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

void reportFailure(QWidget *parent, const QString &error)
{
    asker().message(parent, error.isEmpty() ? QStringLiteral("印刷できませんでした。") : error,
                    QString(), Asker::Buttons::Ok, Asker::Icon::Exclamation);
}

// The page set-up and the orientation go: the documents are laid out for a portrait page
// and turn every printer to portrait.
void dressPreview(QPrintPreviewDialog &dialog, const std::function<bool()> &print)
{
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    static const struct {
        const char *source;
        const char *caption; // nullptr: not offered
    } kActions[] = {
        {"Next page", "次のページ"},
        {"Previous page", "前のページ"},
        {"First page", "最初のページ"},
        {"Last page", "最後のページ"},
        {"Fit width", "幅に合わせる"},
        {"Fit page", "ページ全体"},
        {"Zoom in", "拡大"},
        {"Zoom out", "縮小"},
        {"Show single page", "1ページ表示"},
        {"Show facing pages", "見開き表示"},
        {"Show overview of all pages", "全ページ表示"},
        {"Print", "印刷"},
        {"Portrait", nullptr},
        {"Landscape", nullptr},
        {"Page setup", nullptr},
    };
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction *action : dialog.findChildren<QAction *>()) {
        const QString text = action->text();
        if (text == printText) {
            QObject::disconnect(action, &QAction::triggered, &dialog, nullptr);
            QObject::connect(action, &QAction::triggered, &dialog, [&dialog, print] {
                if (print())
                    dialog.accept();
            });
        }
        for (const auto &entry : kActions) {
            if (text != QCoreApplication::translate("QPrintPreviewDialog", entry.source))
                continue;
            if (entry.caption)
                action->setText(QString::fromUtf8(entry.caption));
            else
                action->setVisible(false);
            break;
        }
    }
}

} // namespace

bool printWithDialog(QWidget *parent, const QString &document, const PrintJob &job)
{
    QWidget *owner = printParent(parent);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document);
    if (!asker().choosePrinter(owner, printer))
        return false;
    QString error;
    bool printed = false;
    {
        WaitCursor wait;
        printed = job(printer, &error);
    }
    if (!printed)
        reportFailure(owner, error);
    return true;
}

void showPrintPreview(QWidget *parent, const QString &document, const PrintJob &job,
                      const std::function<bool()> &print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document);
    QPrintPreviewDialog dialog(&printer, printParent(parent));
    bool reported = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        QString error;
        bool drawn = false;
        {
            WaitCursor wait;
            drawn = job(*target, &error);
        }
        if (!drawn && !reported) {
            reported = true;
            reportFailure(&dialog, error);
        }
    });
    dressPreview(dialog, print);
    asker().showDialog(dialog);
}

} // namespace qel
