#include "base/namemask.h"

namespace qel {

NameMask::NameMask(QObject *parent) : QObject(parent) {}

QString NameMask::numberText(int number)
{
    //: What stands for a learner's name on the projector and in outputs: %1 is the learner's number.
    return tr("学習者 %1").arg(number);
}

void NameMask::setNumbering(const QStringList &names)
{
    order_.clear();
    numbers_.clear();
    for (const QString &name : names)
        if (!numbers_.contains(name))
            add(name);
}

int NameMask::add(const QString &name)
{
    order_ << name;
    const int number = int(order_.size());
    numbers_.insert(name, number);
    return number;
}

void NameMask::learn(const QStringList &names)
{
    bool added = false;
    for (const QString &name : names)
        if (!numbers_.contains(name)) {
            add(name);
            added = true;
        }
    if (added)
        emit numberingChanged();
}

void NameMask::setHidden(bool hidden)
{
    if (hidden == hidden_)
        return;
    hidden_ = hidden;
    emit hiddenChanged(hidden);
}

QString NameMask::numbered(const QString &name)
{
    int number = numbers_.value(name, 0);
    if (number == 0) {
        number = add(name);
        emit numberingChanged();
    }
    return numberText(number);
}

} // namespace qel
