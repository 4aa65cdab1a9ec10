#include "dialogs/frmSplash.h"

#include "dialogs/dialoglayout.h"

#include "base/painting.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <cmath>

namespace qel {

namespace {

// A practice graph rising out of the dark, the program's name above it.
QPixmap splashPicture(QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    QLinearGradient back(0, 0, w, h);
    back.setColorAt(0, QColor(0, 30, 60));
    back.setColorAt(1, Qt::black);
    p.fillRect(QRectF(0, 0, w, h), back);

    // Grid and bars in the pane's colours.
    const QRectF plot(w * 0.10, h * 0.38, w * 0.80, h * 0.50);
    p.setPen(QPen(QColor(255, 255, 192, 70), 1));
    for (int i = 0; i <= 5; ++i)
        p.drawLine(QPointF(plot.left(), plot.top() + plot.height() * i / 5),
                   QPointF(plot.right(), plot.top() + plot.height() * i / 5));
    const int bars = 9;
    for (int i = 0; i < bars; ++i) {
        const double bh = plot.height() * (0.18 + 0.09 * i) * (i % 2 ? 0.92 : 1.0);
        const QRectF bar(plot.left() + plot.width() * (i + 0.2) / bars, plot.bottom() - bh,
                         plot.width() * 0.6 / bars, bh);
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, QColor(90, 150, 255));
        fill.setColorAt(1, QColor(20, 50, 160));
        p.fillRect(bar, fill);
    }
    QPainterPath trend;
    trend.moveTo(plot.left(), plot.bottom() - plot.height() * 0.15);
    trend.lineTo(plot.right(), plot.top() + plot.height() * 0.05);
    p.setPen(QPen(QColor(0, 255, 0), 2.5));
    p.drawPath(trend);

    draw::installFontSubstitutes();
    QFont title(draw::kCentury);
    title.setPixelSize(int(h * 0.14));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, h * 0.06, w, h * 0.18), Qt::AlignCenter, QStringLiteral("QelViewer"));
    QFont sub(draw::kPGothic);
    sub.setPixelSize(int(h * 0.065));
    p.setFont(sub);
    p.setPen(QColor(255, 255, 192));
    //: Under the program's name on the start-up picture.
    p.drawText(QRectF(0, h * 0.24, w, h * 0.10), Qt::AlignCenter, frmSplash::tr("タイピング練習記録ビューア"));
    return pixmap;
}

} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    draw::installFontSubstitutes();
    const TwipsScale twips(this);
    setFixedSize(twips.x(4710), twips.y(3825));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, width(), twips.y(3180));

    Label1 = new QLabel(QStringLiteral("QelSoft  Typing Trainer Records"), this);
    QFont notice(draw::kCentury);
    notice.setPointSizeF(9);
    Label1->setFont(notice);
    QPalette white = Label1->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(white);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(twips.rect(180, 3210, 4335, 285));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(twips.rect(180, 3540, 4335, 195));
    retranslate();
}

void frmSplash::retranslate()
{
    // The picture carries words, so it is drawn again.
    Image1->setPixmap(splashPicture(Image1->size(), devicePixelRatioF()));
    ProgressBar1->setAccessibleName(tr("記録フォルダを読んでいます"));
}

void frmSplash::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace qel
