#pragma once
// The class board: one tile per learner and Course of the group shown, sorted by need, in a
// grid that fits the pane. It takes the table's rows whenever they change and assesses them
// again by itself when time alone changes a state (five minutes after a practice, at
// midnight). A click or Enter on a tile asks for the learner's practice graph; a right click
// or the menu keys ask for its pop-up menu.

#include "base/namemask.h"
#include "records/attention.h"
#include "records/learnertable.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QIcon>
#include <QListView>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace qel {

// The tiles as a list model, most needy first. Every text a tile shows comes from here,
// with the names as the mask shows them.
class ClassBoardModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        KeyRole = Qt::UserRole + 1, // record file name
        CourseRole,                 // "英文" / "かな/ﾛｰﾏ"
        NeedRole,                   // int(Need), -1 when the file could not be read
        StateRole,                  // "目標未達", "12日練習なし", "読み込めません", ...
        ReasonsRole,                // the reasons beyond the state, "、" between them
        FiguresRole,                // "STEP 12  SPM 95  ミス 3.2%"
        LastPracticeRole,           // "最終練習 2026/05/01 10:22:05"
    };

    explicit ClassBoardModel(QObject *parent = nullptr);

    // The time the rules are given; the system clock unless a test sets another.
    void setClock(std::function<QDateTime()> clock);
    // The numbers that stand for names, shared with the rest of the window; until one is
    // given (or after nullptr) the model keeps one of its own.
    void setNameMask(NameMask *mask);
    NameMask *nameMask() const { return mask_ ? mask_.data() : &ownMask_; }
    void setTargets(const ClassTargets &targets);
    const ClassTargets &targets() const { return targets_; }
    // The journal's figures; without it the rules that need them do not fire.
    void setHistory(HistoryLookup history);

    // The rows of the table shown, in any order.
    void setRows(std::vector<TableRow> rows);
    // Assesses the rows again at the clock's time; the timer calls it when a state may have
    // changed with time alone.
    void reassess();
    // While deferred (the board out of sight), what changes is assessed only when the
    // deferral ends or the entries are wanted: a folder of thousands of learners is not
    // assessed at every refresh for no one.
    void setDeferred(bool deferred);
    // Assesses what is waiting, before the entries are read.
    void assessPending();

    const std::vector<AttentionEntry> &entries() const { return entries_; }
    // When the entries were assessed.
    const QDateTime &assessedAt() const { return assessedAt_; }
    // How long after that the next assessment is due (ms); nothing without rows.
    std::optional<qint64> recheckDelay() const;
    int rowOfKey(const QString &key) const;
    // The name as the tile shows it.
    QString shownName(const AttentionEntry &entry) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    // The entries were assessed anew (rows, targets, the time or the names changed).
    void reassessed();

private:
    void assess();
    void maskChanged();
    QString tieKey(const AttentionEntry &entry) const;
    QString accessibleText(const AttentionEntry &entry) const;
    static QString lastPracticeLine(const AttentionEntry &entry);

    std::function<QDateTime()> clock_;
    mutable NameMask ownMask_;
    QPointer<NameMask> mask_; // a mask given, for as long as it lives
    ClassTargets targets_;
    HistoryLookup history_;
    std::vector<TableRow> rows_;
    std::vector<AttentionEntry> entries_;
    bool deferred_ = false;
    bool pending_ = false; // changes wait for the deferral to end
    QDateTime assessedAt_;
    QTimer recheck_;
    std::array<QIcon, kNeedCount + 1> icons_; // by need, the last for an unreadable file
};

class ClassBoard : public QListView {
    Q_OBJECT
public:
    explicit ClassBoard(QWidget *parent = nullptr);

    ClassBoardModel *boardModel() const { return model_; }
    void setNameMask(NameMask *mask) { model_->setNameMask(mask); }
    void setTargets(const ClassTargets &targets) { model_->setTargets(targets); }
    void setHistory(HistoryLookup history) { model_->setHistory(std::move(history)); }
    // The group the rows belong to (0 all, 1 English, 2 Kana/Romaji), for the printed title.
    void setGroup(int group) { group_ = group; }
    int group() const { return group_; }

    // Takes the table's rows; the current tile stays on its learner and Course.
    void setRows(std::vector<TableRow> rows) { model_->setRows(std::move(rows)); }

    // The record file of the current tile; empty when there is none.
    QString currentKey() const;
    void setCurrentKey(const QString &key);

    // Out of sight the board assesses nothing until it is shown again.
    void setVisible(bool visible) override;

signals:
    void learnerActivated(const QString &key);
    // A right click, Shift+F10 or the Menu key: the tile's record file (empty off the tiles)
    // and where its menu goes.
    void popupRequested(const QString &key, const QPoint &globalPos);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitGrid();
    ClassBoardModel *model_ = nullptr;
    QString keptKey_;
    int group_ = AllGroup;
};

} // namespace qel
