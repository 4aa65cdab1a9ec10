#pragma once
// Shared by the window tests: record folders written with the trainer's layout, an Asker
// that answers from a script, and a window whose modal dialogs and pop-ups the test drives.

#include "asker.h"
#include "frmMain.h"
#include "recordwriter.h"

#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <vector>

namespace qeltest {

// A record file whose runs have the given SPMs (mistype rate 1 %); its progress rate is the
// slope of the SPMs over the runs.
inline bool writeRecord(const QString &folder, const QString &name, bool english,
                        const std::vector<int> &spms, int passedStep = 1)
{
    qel::samples::RecordContent content;
    content.currentStep = std::uint16_t(passedStep + 1);
    content.totalSeconds = std::int32_t(spms.size() * 120);
    for (int spm : spms)
        content.runs.push_back({std::int16_t(spm), 100});
    const QString file = QDir(folder).filePath(name + (english ? QStringLiteral("_Qele.dat")
                                                               : QStringLiteral("_Qelk.dat")));
    return qel::samples::writeFile(file, qel::samples::recordBytes(content));
}

inline bool writeSettingsFile(const QString &folder, const QString &name)
{
    return qel::samples::writeFile(QDir(folder).filePath(name + QStringLiteral(".ini")),
                                   QByteArray("[Option]\r\nKeyboard=1\r\n"));
}

struct Message {
    QString text, title;
    qel::Asker::Buttons buttons;
    qel::Asker::Icon icon;
};

class ScriptedAsker : public qel::Asker {
public:
    ScriptedAsker() { qel::setAsker(this); }
    ~ScriptedAsker() override { qel::setAsker(nullptr); }

    std::vector<Message> messages;
    std::deque<bool> answers;       // OK (true) or Cancel; OK when the script is empty
    std::optional<QString> folder;  // what the folder dialog returns
    QString folderPrompt;
    std::vector<QUrl> opened;

    bool message(QWidget *, const QString &text, const QString &title, Buttons buttons, Icon icon) override
    {
        messages.push_back({text, title, buttons, icon});
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> chooseFolder(QWidget *, const QString &prompt, const QString &) override
    {
        folderPrompt = prompt;
        return folder;
    }
    std::optional<QString> saveFileName(QWidget *, const QString &, const QString &, const QString &,
                                        const QString &) override
    {
        return std::nullopt;
    }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
    void openUrl(const QUrl &url) override { opened.push_back(url); }
};

// A private settings store for one test: the trainer's "RecDir" names `recDir` when given.
class PrivateSettings {
public:
    PrivateSettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    }
    void setRecDir(const QString &recDir)
    {
        QSettings trainer(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QelSoft"),
                          QStringLiteral("Qel"));
        trainer.setValue(QStringLiteral("Env/RecDir"), recDir);
        trainer.sync();
    }
    QVariant viewerValue(const QString &name) const
    {
        QSettings viewer(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QelSoft"),
                         QStringLiteral("QelViewer"));
        return viewer.value(QStringLiteral("Env/") + name);
    }
    void setViewerValue(const QString &name, const QVariant &value)
    {
        QSettings viewer(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QelSoft"),
                         QStringLiteral("QelViewer"));
        viewer.setValue(QStringLiteral("Env/") + name, value);
        viewer.sync();
    }
    QTemporaryDir dir;
};

// The real window with its modal dialogs and pop-up menus answered by the test.
class TestWindow : public qel::frmMain {
public:
    std::function<int(QDialog &)> onDialog;
    std::vector<QMenu *> popups;
    // Enabled state of the learner pop-up's first two items when it opened.
    std::vector<std::pair<bool, bool>> popupStates;

protected:
    int execDialog(QDialog &dialog) override { return onDialog ? onDialog(dialog) : QDialog::Rejected; }
    void openPopup(QMenu *menu, const QPoint &) override
    {
        popups.push_back(menu);
        popupStates.emplace_back(mnuPopReport->isEnabled(), mnuPopEditSelectAll->isEnabled());
    }
};

} // namespace qeltest
