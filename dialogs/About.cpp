#include "dialogs/About.h"

#include "dialogs/dialoglayout.h"

#include "base/appicon.h"
#include "base/asker.h"
#include "base/dialogframe.h"
#include "base/painting.h"

#include <QBitmap>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>
#include <cmath>

namespace qel {

namespace {

const QColor kLinkColour(255, 255, 192);
const QColor kLitColour(0, 255, 255);

QRect trect(const QWidget *w, double left, double top, double width, double height)
{
    return TwipsScale(w).rect(left, top, width, height);
}

// The program's name over its icon, on a night sky.
QPixmap aboutPicture(QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const double w = size.width(), h = size.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(10, 20, 70));
    sky.setColorAt(1, Qt::black);
    p.fillRect(QRectF(0, 0, w, h), sky);

    const double side = std::floor(h * 0.62);
    p.drawImage(QRectF((w - side) / 2, h * 0.33, side, side), appIconImage(int(std::ceil(side * ratio))));

    draw::installFontSubstitutes();
    QFont title(draw::kCentury);
    title.setPixelSize(int(h * 0.16));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, h * 0.04, w, h * 0.24), Qt::AlignCenter, QStringLiteral("QelViewer"));
    return pixmap;
}

// A pointing hand, 32 x 32, its finger tip at (12, 1).
QCursor linkCursor()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.moveTo(10, 3);
    hand.quadTo(12, 0, 14, 3);
    hand.lineTo(14, 13);
    hand.quadTo(16, 11, 18, 13);
    hand.quadTo(20, 11, 22, 14);
    hand.quadTo(24, 12, 26, 15);
    hand.lineTo(26, 23);
    hand.quadTo(25, 29, 20, 30);
    hand.lineTo(14, 30);
    hand.quadTo(10, 29, 8, 25);
    hand.lineTo(4, 18);
    hand.quadTo(5, 15, 8, 17);
    hand.lineTo(10, 20);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.3));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.end();
    return QCursor(pixmap, 12, 1);
}

} // namespace

QString About::makerAddress()
{
    return QStringLiteral("https://qelsoft.example/");
}

About::About(QWidget *parent)
    : QDialog(parent)
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setWindowTitle(QStringLiteral("QelViewer"));
    if (parent)
        setWindowIcon(parent->windowIcon());
    setModal(true);
    const TwipsScale twips(this);
    setFixedSize(twips.x(4920), twips.y(4320));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setMouseTracking(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(trect(this, 0, 0, 4920, 3120));
    Image1->setPixmap(aboutPicture(Image1->size(), devicePixelRatioF()));

    auto transparentLabel = [this](const QString &text, const QColor &colour) {
        auto *label = new QLabel(text, this);
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, colour);
        label->setPalette(p);
        return label;
    };

    Label1 = transparentLabel(QStringLiteral("Ver1.00"), Qt::white);
    QFont versionFont(draw::kPMincho);
    versionFont.setPointSizeF(12);
    versionFont.setBold(true);
    Label1->setFont(versionFont);
    Label1->setGeometry(trect(this, 2040, 3180, 975, 315));

    Command1 = new QPushButton(this);
    Command1->setGeometry(trect(this, 1800, 3480, 1395, 375));
    Command1->setDefault(true);

    Label2 = transparentLabel(makerAddress(), kLinkColour);
    Label2->setGeometry(trect(this, 1080, 3840, 2895, 255));
    Label2->setCursor(linkCursor());
    // The link is a command too: Tab reaches it, Enter or Space opens it.
    Label2->setFocusPolicy(Qt::TabFocus);

    Label3 = transparentLabel(QStringLiteral("Copyright (C) QelSoft"), Qt::white);
    QFont noticeFont(draw::kCentury);
    noticeFont.setPointSizeF(8.25);
    Label3->setFont(noticeFont);
    Label3->setGeometry(trect(this, 660, 4080, 3795, 255));

    // The link, the button and the notice report mouse moves; the version and the picture
    // swallow theirs, so moving onto them leaves the link as it was.
    for (QWidget *w : {static_cast<QWidget *>(Label2), static_cast<QWidget *>(Command1),
                       static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label1),
                       static_cast<QWidget *>(Image1)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    connect(Command1, &QPushButton::clicked, this, &About::Command1_Click);
    setLinkLook(false);
    setTabOrder(Command1, Label2);
    retranslate();
}

void About::retranslate()
{
    Command1->setText(tr("OK"));
    //: The link under the version, to the maker's web page.
    Label2->setAccessibleName(tr("製作者のホームページ"));
    //: %1 is the address of the maker's web page.
    setDescription(Label2, tr("ブラウザで %1 を開きます。").arg(makerAddress()));
}

void About::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void About::Command1_Click()
{
    accept();
}

void About::Label2_Click()
{
    asker().openUrl(QUrl(Label2->text()));
}

void About::Label2_MouseMove()
{
    setLinkLook(true);
}

void About::Form_MouseMove()
{
    setLinkLook(false);
}

void About::setLinkLook(bool lit)
{
    linkLit_ = lit;
    QFont font = Label2->font();
    font.setItalic(lit);
    Label2->setFont(font);
    QPalette p = Label2->palette();
    p.setColor(QPalette::WindowText, lit ? kLitColour : kLinkColour);
    Label2->setPalette(p);
}

bool About::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == Command1) {
            Command1_MouseMove();
            return QDialog::eventFilter(watched, event); // the button keeps its own moves
        }
        if (watched == Label2)
            Label2_MouseMove();
        else if (watched == Label3)
            Label3_MouseMove();
        // Label1 and Image1 do nothing. No label passes its move on to the form, which
        // would put the link out.
        return true;
    }
    // Lit while it has the focus, or a keyboard user could not see where it is.
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && watched == Label2)
        setLinkLook(event->type() == QEvent::FocusIn);
    if (event->type() == QEvent::KeyPress && watched == Label2) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            Label2_Click();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == Label2) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && Label2->rect().contains(mouse->position().toPoint()))
            Label2_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void About::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

} // namespace qel
