#pragma once
// Names safe for the projector: while hidden, every learner's name the window shows is
// replaced by a number ("学習者 12"). A name keeps its number for as long as the numbering
// is kept: numbers go out in the order names are first met and are never reused, so a
// learner who leaves or comes back changes no one else's. The window loads and stores the
// numbering per record folder.

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

namespace qel {

class NameMask : public QObject {
    Q_OBJECT
public:
    explicit NameMask(QObject *parent = nullptr);

    // "学習者 12"
    static QString numberText(int number);

    // The names in the order of their numbers: the first is number 1. Repeats keep their
    // first number.
    void setNumbering(const QStringList &names);
    const QStringList &numbering() const { return order_; }
    // 0 for a name that has none yet.
    int number(const QString &name) const { return numbers_.value(name, 0); }
    // Gives each name without a number the next one, in the order given; emits
    // numberingChanged when there was any.
    void learn(const QStringList &names);

    bool hidden() const { return hidden_; }
    void setHidden(bool hidden);
    void toggle() { setHidden(!hidden_); }

    // The name's number as text ("学習者 12"). A name met here for the first time gets its
    // number at once.
    QString numbered(const QString &name);
    // What the window shows for a learner: the name, or while hidden its number; no name
    // shows through.
    QString shown(const QString &name) { return hidden_ ? numbered(name) : name; }

signals:
    void hiddenChanged(bool hidden);
    // New names got numbers: the numbering is to be stored.
    void numberingChanged();

private:
    int add(const QString &name);
    QStringList order_;
    QHash<QString, int> numbers_;
    bool hidden_ = false;
};

} // namespace qel
