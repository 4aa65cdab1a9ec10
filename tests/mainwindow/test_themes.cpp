// The board, the list and the tree under Fusion with a dark and a high-contrast palette:
// their text reads against the ground painted under it, and the focus shows.

#include "base/contrast.h"
#include "base/painting.h"
#include "base/palettes.h"
#include "mainwindow/classboard.h"
#include "mainwindow/learnerlistmodel.h"
#include "mainwindow/panes.h"
#include "tests/support/boardrows.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleFactory>
#include <QTest>
#include <memory>

using namespace qel;

namespace {

struct Theme {
    const char *name;
    QPalette palette;
};

std::vector<Theme> themes()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return {{"light", fusion->standardPalette()},
            {"dark", palettes::dark()},
            {"high contrast", palettes::highContrast()}};
}

// Text without grey edges, so that every pixel of a glyph is the colour it was written in.
QFont crispFont()
{
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

struct Change {
    int pixels = 0;
    double lowest = 21; // the lowest and highest contrast of a changed pixel against what it covers
    double highest = 1;
};

// Where `with` differs from `without` inside `area`.
Change changeBetween(const QImage &with, const QImage &without, const QRect &area)
{
    Change change;
    const QImage a = with.convertToFormat(QImage::Format_RGB32);
    const QImage b = without.convertToFormat(QImage::Format_RGB32);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            const double contrast = colours::contrastRatio(QColor(a.pixel(x, y)), QColor(b.pixel(x, y)));
            ++change.pixels;
            change.lowest = std::min(change.lowest, contrast);
            change.highest = std::max(change.highest, contrast);
        }
    return change;
}

// The most common colour in `area`: the ground the rest is painted on.
QRgb groundOf(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb most = 0;
    int best = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > best)
            best = it.value(), most = it.key();
    return most;
}

} // namespace

class ThemesTest : public QObject {
    Q_OBJECT

    // Widgets hear of the change at once.
    void usePalette(const QPalette &palette) { QApplication::setPalette(palette); }

private slots:
    void initTestCase()
    {
        draw::installFontSubstitutes();
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void tileTextReadsOnItsGround()
    {
        const std::vector<std::pair<int, QString>> texts{
            {Qt::DisplayRole, QStringLiteral("Yamada 山田")},
            {ClassBoardModel::CourseRole, QStringLiteral("英文")},
            {ClassBoardModel::StateRole, QStringLiteral("BELOW 目標未達")},
            {ClassBoardModel::FiguresRole, QStringLiteral("STEP 12  SPM 95  ミス 3.2%")},
            {ClassBoardModel::LastPracticeRole, QStringLiteral("2026/05/01 10:22:05")},
            {ClassBoardModel::ReasonsRole, QStringLiteral("SPM 95 < 100, 6.2% > 5.0%")},
        };
        for (const Theme &theme : themes()) {
            usePalette(theme.palette);
            ClassBoard board;
            const QAbstractItemDelegate *delegate = board.itemDelegate();
            QStyleOptionViewItem option;
            option.initFrom(&board);
            option.font = crispFont();
            option.rect = QRect(0, 0, 320, 150);
            option.state = QStyle::State_Enabled;
            for (int need = -1; need < kNeedCount; ++need) {
                QStandardItemModel model(1 + int(texts.size()), 1);
                for (int r = 0; r < model.rowCount(); ++r)
                    model.setData(model.index(r, 0), need, ClassBoardModel::NeedRole);
                for (std::size_t i = 0; i < texts.size(); ++i)
                    model.setData(model.index(int(i) + 1, 0), texts[i].second, texts[i].first);
                const auto paint = [&](int row) {
                    QImage image(option.rect.size(), QImage::Format_RGB32);
                    image.fill(theme.palette.color(QPalette::Window));
                    QPainter painter(&image);
                    delegate->paint(&painter, option, model.index(row, 0));
                    return image;
                };
                const QImage bare = paint(0);
                for (std::size_t i = 0; i < texts.size(); ++i) {
                    const Change text = changeBetween(paint(int(i) + 1), bare, option.rect);
                    const QByteArray what = QByteArray(theme.name) + " need " + QByteArray::number(need) + " role "
                                          + QByteArray::number(texts[i].first);
                    QVERIFY2(text.pixels > 20, what);
                    QVERIFY2(text.lowest >= colours::kTextContrast, what + " contrast " + QByteArray::number(text.lowest));
                }
            }
        }
    }

    void markedRowReadsOnItsGreen()
    {
        for (const Theme &theme : themes()) {
            usePalette(theme.palette);
            LearnerListModel model;
            std::vector<TableRow> rows(3);
            for (int i = 0; i < 3; ++i) {
                rows[std::size_t(i)].key = QStringLiteral("l%1_Qele.dat").arg(i);
                rows[std::size_t(i)].name = QStringLiteral("l%1").arg(i);
                rows[std::size_t(i)].cells.fill(QStringLiteral("  8810"));
            }
            model.setRows(rows);
            model.markRows({QStringLiteral("l1_Qele.dat")});
            LearnerList list(nullptr);
            list.setModel(&model);
            list.setFont(crispFont());
            list.resize(700, 200);
            const QImage image = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            for (int row : {0, 1}) {
                const QRect cell = list.visualRect(model.index(row, RunsColumn)).adjusted(1, 1, -1, -1);
                QVERIFY(!cell.isEmpty());
                const QRgb ground = groundOf(image, cell);
                if (row == 1) // marked: green, not the plain ground of row 0
                    QVERIFY2(ground != groundOf(image, list.visualRect(model.index(0, RunsColumn))), theme.name);
                QImage plain(image.size(), QImage::Format_RGB32);
                plain.fill(ground);
                const Change text = changeBetween(image, plain, cell);
                QVERIFY2(text.pixels > 20, theme.name);
                QVERIFY2(text.lowest >= colours::kTextContrast,
                         QByteArray(theme.name) + " row " + QByteArray::number(row) + " contrast "
                             + QByteArray::number(text.lowest));
            }
        }
    }

    void focusShowsOnTheBoardTheTreeAndTheList()
    {
        usePalette(palettes::dark());
        QWidget window;
        auto *board = new ClassBoard(&window);
        const QDateTime now(QDate(2026, 5, 13), QTime(10, 0));
        board->boardModel()->setClock([now] { return now; });
        board->setRows({qeltest::boardRow(QStringLiteral("a"), now.addDays(-1), qeltest::goodRuns()),
                        qeltest::boardRow(QStringLiteral("b"), now.addSecs(-60), qeltest::goodRuns())});
        board->setGeometry(0, 0, 600, 300);
        auto *tree = new LearnerTree(&window);
        tree->addTopLevelItems({new QTreeWidgetItem({QStringLiteral("全体")}),
                                new QTreeWidgetItem({QStringLiteral("山田")})});
        tree->setGeometry(0, 300, 300, 200);
        LearnerListModel model;
        std::vector<TableRow> rows(2);
        rows[0].key = QStringLiteral("a_Qele.dat");
        rows[1].key = QStringLiteral("b_Qele.dat");
        rows[0].name = QStringLiteral("a");
        rows[1].name = QStringLiteral("b");
        model.setRows(rows);
        auto *list = new LearnerList(&window);
        list->setModel(&model);
        list->setGeometry(300, 300, 300, 200);
        window.resize(600, 500);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        board->setCurrentKey(board->boardModel()->index(1).data(ClassBoardModel::KeyRole).toString());
        tree->setCurrentItem(tree->topLevelItem(1));
        list->setCurrentIndex(model.index(1, 0));
        const std::vector<std::pair<QAbstractItemView *, QModelIndex>> views{
            {board, board->currentIndex()}, {tree, tree->currentIndex()}, {list, list->currentIndex()}};
        for (const auto &[view, current] : views) {
            QVERIFY(current.isValid());
            view->setFocus();
            QVERIFY(view->hasFocus());
            const QImage focused = view->viewport()->grab().toImage();
            view->clearFocus();
            QVERIFY(!view->hasFocus());
            const QImage unfocused = view->viewport()->grab().toImage();
            const QRect area = view->visualRect(current);
            const Change frame = changeBetween(focused, unfocused, area & view->viewport()->rect());
            QVERIFY2(frame.pixels > 20, view->metaObject()->className());
            // What shows the focus stands out from what is around it by 3:1, as a control's
            // edge must: the board's frame from the tile, the row the keys act on from the rest.
            if (view == board) {
                QVERIFY(frame.highest >= 3.0);
            } else {
                const QColor row(groundOf(focused.convertToFormat(QImage::Format_RGB32), area));
                QVERIFY2(colours::contrastRatio(row, view->palette().color(QPalette::Base)) >= 3.0,
                         view->metaObject()->className());
            }
        }
    }
};

QTEST_MAIN(ThemesTest)
#include "test_themes.moc"
