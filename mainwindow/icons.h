#pragma once
// Pictures of the tree, the list and the toolbar, drawn here so they stay sharp at any scale.

#include "records/attention.h"

#include <QIcon>
#include <QString>
#include <optional>

namespace qel::icons {

// Tree and list images by their number: 1 group (expanded), 2 group (collapsed),
// 4 English learner, 5 Kana/Romaji learner. Other numbers give an empty icon.
QIcon image(int number);

// Toolbar pictures by button key ("Open", "Find", "Delete", "View Details", "English",
// "Kana", "p3", "p4", "pa1", "pa2", "pp1", "p2").
QIcon toolbar(const QString &key);

// A class-board state's symbol; nothing: a file that could not be read.
QIcon need(std::optional<Need> state);

} // namespace qel::icons
