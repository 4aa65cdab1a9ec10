#include "base/appicon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace qel {

QImage appIconImage(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/example.qelsoft.QelViewer.svg"));
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(appIconImage(side)));
    return icon;
}

} // namespace qel
