#pragma once
// An Asker that answers from a script and remembers what it was asked; it is the program's
// Asker while it lives.

#include "base/asker.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace qeltest {

struct Message {
    QString text, title;
    qel::Asker::Buttons buttons;
    qel::Asker::Icon icon;
    qel::Asker::Default defaultButton = qel::Asker::Default::Ok;
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
    // The program's own dialogs go here; Rejected without it.
    std::function<int(QDialog &)> onDialog;
    // Pop-up menus as they were opened, with the enabled state of each one's first two
    // items at that moment (in the learner pop-up "一覧表示へ" and "すべて選択").
    std::vector<QMenu *> popups;
    std::vector<std::pair<bool, bool>> popupStates;

    QStringList texts() const
    {
        QStringList list;
        for (const Message &m : messages)
            list << m.text;
        return list;
    }

    bool message(QWidget *, const QString &text, const QString &title, Buttons buttons, Icon icon,
                 Default defaultButton) override
    {
        messages.push_back({text, title, buttons, icon, defaultButton});
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
    int showDialog(QDialog &dialog) override { return onDialog ? onDialog(dialog) : int(QDialog::Rejected); }
    void showPopup(QMenu &menu, const QPoint &) override
    {
        popups.push_back(&menu);
        const QList<QAction *> items = menu.actions();
        popupStates.emplace_back(items.size() > 0 && items[0]->isEnabled(), items.size() > 1 && items[1]->isEnabled());
    }
};

} // namespace qeltest
