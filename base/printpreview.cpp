#include "base/printpreview.h"

#include "base/asker.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QPointer>
#include <QPrinter>
#include <memory>

namespace qel {

namespace {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

void reportFailure(QWidget *parent, const QString &error)
{
    asker().message(parent, error.isEmpty() ? QCoreApplication::translate("PrintPreview", "印刷できませんでした。") : error, QString(),
                    Asker::Buttons::Ok, Asker::Icon::Exclamation);
}

void dressPreview(QPrintPreviewDialog &dialog, const std::function<bool()> &print)
{
    dialog.setWindowTitle(QCoreApplication::translate("PrintPreview", "印刷プレビュー"));
    // Qt's actions are found by Qt's own words for them (in the language installed) and
    // named with ours, which Qt's Japanese does not match.
    static const struct {
        const char *source;
        const char *caption; // nullptr: not offered
    } kActions[] = {
        {"Next page", QT_TRANSLATE_NOOP("PrintPreview", "次のページ")},
        {"Previous page", QT_TRANSLATE_NOOP("PrintPreview", "前のページ")},
        {"First page", QT_TRANSLATE_NOOP("PrintPreview", "最初のページ")},
        {"Last page", QT_TRANSLATE_NOOP("PrintPreview", "最後のページ")},
        {"Fit width", QT_TRANSLATE_NOOP("PrintPreview", "幅に合わせる")},
        {"Fit page", QT_TRANSLATE_NOOP("PrintPreview", "ページ全体")},
        {"Zoom in", QT_TRANSLATE_NOOP("PrintPreview", "拡大")},
        {"Zoom out", QT_TRANSLATE_NOOP("PrintPreview", "縮小")},
        {"Show single page", QT_TRANSLATE_NOOP("PrintPreview", "1ページ表示")},
        {"Show facing pages", QT_TRANSLATE_NOOP("PrintPreview", "見開き表示")},
        {"Show overview of all pages", QT_TRANSLATE_NOOP("PrintPreview", "全ページ表示")},
        {"Print", QT_TRANSLATE_NOOP("PrintPreview", "印刷")},
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
                action->setText(QCoreApplication::translate("PrintPreview", entry.caption));
            else
                action->setVisible(false);
            break;
        }
    }
}

} // namespace

bool printWithDialog(QWidget *parent, const QString &document, const PrintJob &job, const OutputCheck &check)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        parent = modal;
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(document);
    if (!asker().choosePrinter(parent, *printer))
        return false;
    const QPointer<QWidget> shownOn(parent);
    const auto draw = [printer, job, shownOn] {
        QString error;
        bool printed = false;
        {
            WaitCursor wait;
            printed = job(*printer, &error);
        }
        if (!printed)
            reportFailure(shownOn, error);
    };
    const QString file = printer->outputFileName();
    if (!check || file.isEmpty()) {
        draw();
        return true;
    }
    check(file, [draw, shownOn](const QString &refusal) {
        if (refusal.isEmpty())
            draw();
        else
            reportFailure(shownOn, refusal);
    });
    return true;
}

void previewWithDialog(QWidget *parent, const QString &document, const PrintJob &job,
                       const std::function<bool()> &print)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        parent = modal;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document);
    QPrintPreviewDialog dialog(&printer, parent);
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
    // A page that can be read at once: most of the screen, a page as wide as the window.
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog.resize(area.width() * 3 / 4, area.height() * 9 / 10);
    }
    if (auto *pages = dialog.findChild<QPrintPreviewWidget *>())
        pages->setZoomMode(QPrintPreviewWidget::FitToWidth);
    asker().showDialog(dialog);
}

} // namespace qel
