#pragma once
// Every modal question the program asks (message boxes, folder, save and print dialogs,
// its own dialogs and pop-up menus) goes through one Asker, so tests can answer them
// without a person.

#include <QObject>
#include <QString>
#include <optional>

class QDialog;
class QMenu;
class QPoint;
class QPrinter;
class QUrl;
class QWidget;

namespace qel {

class Asker {
public:
    enum class Icon { None, Information, Question, Exclamation, Critical };
    enum class Buttons { Ok, OkCancel };
    // The button Enter presses: Cancel where OK cannot be undone.
    enum class Default { Ok, Cancel };

    virtual ~Asker() = default;

    // True when the user answered OK. An empty title means the program's name.
    virtual bool message(QWidget *parent, const QString &text, const QString &title,
                         Buttons buttons, Icon icon, Default defaultButton = Default::Ok) = 0;
    // A folder, or nothing when cancelled.
    virtual std::optional<QString> chooseFolder(QWidget *parent, const QString &prompt,
                                                const QString &startFolder) = 0;
    // A file to write, or nothing when cancelled. The dialog asks before overwriting.
    // `initialName` is a file name, or a path whose folder the dialog opens in.
    virtual std::optional<QString> saveFileName(QWidget *parent, const QString &title,
                                                const QString &filter,
                                                const QString &defaultSuffix,
                                                const QString &initialName) = 0;
    // The print dialog for `printer` (without a selection range); false when cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
    // Opens a web page in the user's browser.
    virtual void openUrl(const QUrl &url) = 0;
    // Shows one of the program's own dialogs modally; its result code.
    virtual int showDialog(QDialog &dialog) = 0;
    // Opens a pop-up menu at a point of the screen and returns once it has closed.
    virtual void showPopup(QMenu &menu, const QPoint &globalPos) = 0;
};

// The Asker in use; Qt's dialogs unless a test installs its own.
Asker &asker();
// True while a question, dialog or pop-up menu asked through asker() is open: the work it
// is part of has not ended.
bool askerBusy();
// Tells when the last question, dialog or pop-up menu asked through asker() has closed: what
// waited for the work it was part of may go on.
class AskerEvents : public QObject {
    Q_OBJECT
signals:
    void settled();
};
AskerEvents &askerEvents();

// Installs `replacement` (not owned); nullptr restores Qt's dialogs.
void setAsker(Asker *replacement);

} // namespace qel
