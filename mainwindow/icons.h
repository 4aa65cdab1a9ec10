#pragma once
// Pictures of the tree, the list and the toolbar, drawn here so they stay sharp at any scale.

#include <QIcon>
#include <QString>

namespace qel::icons {

// Tree and list images by their number: 1 group (expanded), 2 group (collapsed),
// 4 English learner, 5 Kana/Romaji learner. Other numbers give an empty icon.
QIcon image(int number);

// Toolbar pictures by button key ("Open", "Find", "Delete", "View Details", "English",
// "Kana", "p3", "p4", "pa1", "pa2", "pp1", "p2").
QIcon toolbar(const QString &key);

} // namespace qel::icons
