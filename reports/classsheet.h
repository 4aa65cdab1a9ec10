#pragma once
// The class board on one printed page: a heading, the tiles in a grid made to fit the page,
// and a key to the states' symbols.

#include "records/attention.h"
#include "reports/pagegeometry.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace qel::reports {

struct SheetTile {
    QString name;
    QString course;   // "英文" / "かな/ﾛｰﾏ"
    std::optional<Need> need; // none: the file could not be read
    QString state;
    QString figures;
    QString lastPractice;
    QString reasons; // beyond the state
};

struct ClassSheet {
    QString title; // "クラスの様子（全体）"
    QString stamp; // "2026/05/01 10:22:05 現在"
    std::vector<SheetTile> tiles;
};

// The sheet of the board's entries, in their order, with the names `nameOf` gives.
ClassSheet classSheet(const std::vector<AttentionEntry> &entries,
                      const std::function<QString(const AttentionEntry &)> &nameOf, int group,
                      const QDateTime &now);

// A tile is drawn at `scale` times its full size (60 x 26 mm), never larger: the grid with
// the largest scale at which every tile fits the area, the most columns among equals.
struct SheetGrid {
    int columns = 1;
    int rows = 0;
    double scale = 1;
    double tileWidth() const { return 60 * scale; }
    double tileHeight() const { return 26 * scale; }
    double gap() const { return 2 * scale; }
};
SheetGrid sheetGrid(int tiles, double width, double height);

// Draws the sheet on one page of `page`, in millimetres.
void drawClassSheet(QPainter &painter, const PageGeometry &page, const ClassSheet &sheet);

} // namespace qel::reports
