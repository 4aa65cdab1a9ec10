#include "dialogs/frmSearch.h"

#include "dialogs/dialoglayout.h"

#include "base/asker.h"
#include "base/dialogframe.h"
#include "base/painting.h"
#include "dialogs/hosts.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace qel {

namespace {

QPixmap magnifier(int size, qreal ratio)
{
    QPixmap pixmap(int(size * ratio), int(size * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // A card of names under a magnifying glass.
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, 4, 20, 24), 2, 2);
    p.setPen(QPen(QColor(120, 140, 200), 2));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(6, 10 + 5 * i), QPointF(17, 10 + 5 * i));
    p.setPen(QPen(QColor(60, 60, 60), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 22), QPointF(29.5, 29.5));
    p.setPen(QPen(QColor(40, 40, 40), 2.2));
    p.setBrush(QColor(200, 230, 255, 200));
    p.drawEllipse(QPointF(17, 17), 7, 7);
    return pixmap;
}

} // namespace

frmSearch::frmSearch(SearchTarget &target, QWidget *parent)
    : QDialog(parent), target_(target)
{
    draw::installFontSubstitutes();
    setDialogFrame(*this);
    setModal(true);
    const TwipsScale t(this);
    setFixedSize(t.x(4530), t.y(1110));

    Label1 = new QLabel(this);
    Label1->setGeometry(t.rect(120, 180, 1155, 240));

    Text1 = new QLineEdit(this);
    QFont textFont(draw::kPGothic);
    textFont.setPointSizeF(11.25);
    Text1->setFont(textFont);
    Text1->setGeometry(t.rect(1260, 120, 3135, 345));

    Command1[0] = new QPushButton(this);
    Command1[0]->setGeometry(t.rect(1260, 540, 1515, 435));
    Command1[0]->setDefault(true);
    Command1[1] = new QPushButton(this);
    Command1[1]->setGeometry(t.rect(2880, 540, 1515, 435));
    Command1[1]->setAutoDefault(false);

    Image1 = new QLabel(this);
    const int side = t.x(480);
    Image1->setPixmap(magnifier(side, devicePixelRatioF()));
    Image1->setGeometry(t.x(480), t.y(540), side, side);
    Label1->setBuddy(Text1);

    setTabOrder(Text1, Command1[0]);
    setTabOrder(Command1[0], Command1[1]);
    Text1->setFocus();

    connect(Command1[0], &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(Command1[1], &QPushButton::clicked, this, [this] { Command1_Click(1); });
    retranslate();
}

void frmSearch::retranslate()
{
    //: Title of the find dialog.
    setWindowTitle(tr("検索"));
    Label1->setText(tr("検索する名前"));
    Text1->setAccessibleName(Label1->text());
    setDescription(Text1, tr("学習者の名前を入れて OK を押すと、一覧でその学習者の行を選びます。"));
    Command1[0]->setText(tr("OK"));
    Command1[1]->setText(tr("キャンセル"));
}

void frmSearch::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void frmSearch::Command1_Click(int index)
{
    if (index != 0) {
        reject();
        return;
    }
    target_.hideGraphPane();
    if (!target_.selectLearnerRow(Text1->text())) {
        asker().message(this, tr("検索名が見つかりません。"), QString(),
                        Asker::Buttons::Ok, Asker::Icon::Exclamation);
        return;
    }
    accept();
}

} // namespace qel
