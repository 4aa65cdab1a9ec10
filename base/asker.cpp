#include "base/asker.h"

#include "base/dialogframe.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace qel {

namespace {

class QtAsker final : public Asker {
public:
    bool message(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
                 Icon icon, Default defaultButton) override
    {
        QMessageBox box(parent);
        setDialogFrame(box);
        box.setWindowTitle(title.isEmpty() ? QStringLiteral("QelViewer") : title);
        box.setText(text);
        switch (icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        }
        if (buttons == Buttons::OkCancel) {
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.button(QMessageBox::Cancel)->setText(QCoreApplication::translate("Asker", "キャンセル"));
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        const bool cancelFirst = buttons == Buttons::OkCancel && defaultButton == Default::Cancel;
        box.setDefaultButton(cancelFirst ? QMessageBox::Cancel : QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok;
    }

    std::optional<QString> chooseFolder(QWidget *parent, const QString &prompt,
                                        const QString &startFolder) override
    {
        const QString folder = QFileDialog::getExistingDirectory(parent, prompt, startFolder);
        if (folder.isNull())
            return std::nullopt;
        return folder;
    }

    std::optional<QString> saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                        const QString &defaultSuffix,
                                        const QString &initialName) override
    {
        QFileDialog dialog(parent, title, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix.startsWith(QLatin1Char('.')) ? defaultSuffix.mid(1)
                                                                            : defaultSuffix);
        const QFileInfo initial(initialName);
        if (initial.isAbsolute()) {
            dialog.setDirectory(initial.absolutePath());
            dialog.selectFile(initial.fileName());
        } else {
            dialog.selectFile(initialName);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }

    bool choosePrinter(QWidget *parent, QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        // The reports print every page of the job; offering a page range would mislead.
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        return dialog.exec() == QDialog::Accepted;
    }

    void openUrl(const QUrl &url) override { QDesktopServices::openUrl(url); }

    int showDialog(QDialog &dialog) override { return dialog.exec(); }

    void showPopup(QMenu &menu, const QPoint &globalPos) override { menu.exec(globalPos); }
};

Asker *g_replacement = nullptr;
int g_open = 0;

Asker &current()
{
    static QtAsker qtAsker;
    return g_replacement ? *g_replacement : qtAsker;
}

// Passes every call on to the Asker in use, counting the ones still open.
class CountingAsker final : public Asker {
public:
    bool message(QWidget *parent, const QString &text, const QString &title, Buttons buttons, Icon icon,
                 Default defaultButton) override
    {
        const Open open;
        return current().message(parent, text, title, buttons, icon, defaultButton);
    }
    std::optional<QString> chooseFolder(QWidget *parent, const QString &prompt, const QString &startFolder) override
    {
        const Open open;
        return current().chooseFolder(parent, prompt, startFolder);
    }
    std::optional<QString> saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                        const QString &defaultSuffix, const QString &initialName) override
    {
        const Open open;
        return current().saveFileName(parent, title, filter, defaultSuffix, initialName);
    }
    bool choosePrinter(QWidget *parent, QPrinter &printer) override
    {
        const Open open;
        return current().choosePrinter(parent, printer);
    }
    void openUrl(const QUrl &url) override { current().openUrl(url); }
    int showDialog(QDialog &dialog) override
    {
        const Open open;
        return current().showDialog(dialog);
    }
    void showPopup(QMenu &menu, const QPoint &globalPos) override
    {
        const Open open;
        current().showPopup(menu, globalPos);
    }

private:
    struct Open {
        Open() { ++g_open; }
        ~Open()
        {
            if (--g_open == 0)
                emit askerEvents().settled();
        }
        Open(const Open &) = delete;
        Open &operator=(const Open &) = delete;
    };
};

} // namespace

Asker &asker()
{
    static CountingAsker counting;
    return counting;
}

AskerEvents &askerEvents()
{
    static AskerEvents events;
    return events;
}

bool askerBusy()
{
    return g_open > 0;
}

void setAsker(Asker *replacement)
{
    g_replacement = replacement;
}

} // namespace qel
