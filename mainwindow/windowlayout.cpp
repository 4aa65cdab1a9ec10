#include "mainwindow/windowlayout.h"

namespace qel {

namespace {

// A size the layout cannot take (negative) leaves the old one.
void setWidth(QRectF &r, double width)
{
    if (width >= 0)
        r.setWidth(width);
}

void setHeight(QRectF &r, double height)
{
    if (height >= 0)
        r.setHeight(height);
}

} // namespace

WindowLayout layoutWindow(const LayoutInput &in, const WindowLayout &previous)
{
    WindowLayout out = previous;
    const TwipsScale &s = in.scale;
    const double W = s.twipsX(in.outerWidth);
    const double H = s.twipsY(in.body.height());
    const double bodyWidth = s.twipsX(in.body.width());

    double stripTop = 0;
    if (in.toolbarShown) {
        stripTop = s.twipsY(in.toolbarHeight);
        out.toolbar = QRectF(0, 0, bodyWidth, stripTop);
    }
    out.titleStrip = QRectF(0, stripTop, bodyWidth, kTitleStripHeight);
    double statusHeight = 0;
    if (in.statusBarShown) {
        statusHeight = s.twipsY(in.statusBarHeight);
        out.statusBar = QRectF(0, s.twipsY(in.body.height() - in.statusBarHeight), bodyWidth, statusHeight);
    }

    double x = in.splitter;
    if (x < 1500)
        x = 1500;
    if (x > W - 1500)
        x = W - 1500;
    out.splitter = x;

    QRectF &tree = out.tree, &grip = out.grip, &list = out.list;
    QRectF &title0 = out.titles[0], &title1 = out.titles[1];

    tree.moveLeft(0);
    setWidth(tree, x);
    grip.moveLeft(x);
    setWidth(grip, kGripWidth);

    list.moveLeft(x + 40);
    setWidth(list, W - (tree.width() + 140));

    title0.moveTopLeft(QPointF(0, 0));
    setHeight(title0, kTitleStripHeight);
    setWidth(title0, tree.width());
    title1.moveTopLeft(QPointF(list.left() + 20, 0));
    setHeight(title1, kTitleStripHeight);
    setWidth(title1, list.width() - 40);

    tree.moveTop(kTitleStripHeight + stripTop);
    list.moveTop(tree.top());
    setHeight(tree, H - (stripTop + kTitleStripHeight + statusHeight));
    setHeight(list, tree.height());

    grip.moveTop(tree.top());
    setHeight(grip, tree.height());
    return out;
}

} // namespace qel
