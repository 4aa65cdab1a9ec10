// The find dialog against a list stand-in, the version box's link, the splash.

#include "dialogs/About.h"
#include "dialogs/frmSearch.h"
#include "dialogs/frmSplash.h"
#include "dialogs/hosts.h"
#include "tests/support/dialogframe.h"
#include "tests/support/scriptedasker.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

class ListStandIn : public qel::SearchTarget {
public:
    QStringList rows;
    QStringList asked;
    int paneHidden = 0;
    void hideGraphPane() override { ++paneHidden; }
    bool selectLearnerRow(const QString &name) override
    {
        asked << name;
        return rows.contains(name);
    }
};

int px(double twips) { return qRound(twips * 96 / 1440.0); }

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void searchLayoutAndCaptions()
    {
        ListStandIn list;
        qel::frmSearch search(list);
        QCOMPARE(search.windowTitle(), QString("検索"));
        QCOMPARE(search.Label1->text(), QString("検索する名前"));
        QCOMPARE(search.Command1[0]->text(), QString("OK"));
        QCOMPARE(search.Command1[1]->text(), QString("キャンセル"));
        QVERIFY(search.Command1[0]->isDefault());
        QCOMPARE(search.size(), QSize(px(4530), px(1110)));
        QVERIFY(qeltest::hasDialogFrame(search));
        QCOMPARE(search.Text1->geometry(), QRect(px(1260), px(120), px(3135), px(345)));
        QCOMPARE(search.Text1->font().family(), QString("ＭＳ Ｐゴシック"));
        QCOMPARE(search.Text1->font().pointSizeF(), 11.25);
        QVERIFY(search.Text1->text().isEmpty());
    }

    void enterSearchesAndClosesWhenFound()
    {
        ListStandIn list;
        list.rows = {"taro"};
        qeltest::ScriptedAsker answers;
        qel::frmSearch search(list);
        search.show();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        QCOMPARE(QApplication::focusWidget(), search.Text1);
        QTest::keyClicks(search.Text1, "taro");
        QTest::keyClick(search.Text1, Qt::Key_Return);
        QCOMPARE(list.asked, QStringList{"taro"});
        QCOMPARE(list.paneHidden, 1);
        QCOMPARE(search.result(), int(QDialog::Accepted));
        QVERIFY(!search.isVisible());
        QVERIFY(answers.texts().isEmpty());
    }

    void notFoundStaysOpenWithTheText()
    {
        ListStandIn list;
        qeltest::ScriptedAsker answers;
        qel::frmSearch search(list);
        search.show();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        QTest::keyClicks(search.Text1, "jiro");
        QTest::mouseClick(search.Command1[0], Qt::LeftButton);
        QCOMPARE(answers.texts(), QStringList{"検索名が見つかりません。"});
        QCOMPARE(answers.messages.front().icon, qel::Asker::Icon::Exclamation);
        QVERIFY(search.isVisible());
        QCOMPARE(search.Text1->text(), QString("jiro"));
        QCOMPARE(list.paneHidden, 1);

        // An empty name is searched too, and not found.
        search.Text1->clear();
        search.Command1_Click(0);
        QCOMPARE(list.asked.back(), QString());
        QCOMPARE(answers.texts().size(), 2);
    }

    void escapeCancels()
    {
        ListStandIn list;
        qel::frmSearch search(list);
        search.show();
        QVERIFY(QTest::qWaitForWindowActive(&search));
        QTest::keyClicks(search.Text1, "taro");
        QTest::keyClick(search.Text1, Qt::Key_Escape);
        QCOMPARE(search.result(), int(QDialog::Rejected));
        QVERIFY(list.asked.isEmpty());
        QCOMPARE(list.paneHidden, 0);
    }

    void confirmationsHaveADialogFrame()
    {
        // Qt's own message box as the program asks with it.
        bool framed = false;
        QTimer::singleShot(0, [&framed] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                framed = qeltest::hasDialogFrame(*box);
                box->close();
            }
        });
        qel::asker().message(nullptr, "?", "削除確認", qel::Asker::Buttons::OkCancel, qel::Asker::Icon::Exclamation);
        QVERIFY(framed);
    }

    // Enter answers with the default button: Cancel where OK cannot be undone.
    void enterPressesTheDefaultButton_data()
    {
        QTest::addColumn<qel::Asker::Default>("defaultButton");
        QTest::addColumn<bool>("answer");
        QTest::newRow("OK first") << qel::Asker::Default::Ok << true;
        QTest::newRow("Cancel first") << qel::Asker::Default::Cancel << false;
    }

    void enterPressesTheDefaultButton()
    {
        QFETCH(qel::Asker::Default, defaultButton);
        QFETCH(bool, answer);
        bool pressed = false;
        QTimer::singleShot(0, [&pressed] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                QTest::keyClick(box, Qt::Key_Return);
                pressed = true;
            }
        });
        const bool answered = qel::asker().message(nullptr, "?", "削除確認", qel::Asker::Buttons::OkCancel,
                                                   qel::Asker::Icon::Exclamation, defaultButton);
        QVERIFY(pressed);
        QCOMPARE(answered, answer);
    }

    void aboutLinkLightsUpAndOpens()
    {
        qeltest::ScriptedAsker answers;
        qel::About about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.windowTitle(), QString("QelViewer"));
        QCOMPARE(about.Label1->text(), QString("Ver1.00"));
        QCOMPARE(about.size(), QSize(px(4920), px(4320)));
        QVERIFY(qeltest::hasDialogFrame(about));
        QCOMPARE(about.Label2->geometry(), QRect(px(1080), px(3840), px(2895), px(255)));
        QCOMPARE(about.Label2->cursor().hotSpot(), QPoint(12, 1));
        auto linkColour = [&about] { return about.Label2->palette().color(QPalette::WindowText); };
        QCOMPARE(linkColour(), QColor(255, 255, 192));
        QVERIFY(!about.Label2->font().italic());

        auto moveOnto = [](QWidget *w) { QTest::mouseMove(w, w->rect().center()); };
        moveOnto(about.Label2);
        QVERIFY(about.linkLit());
        QVERIFY(about.Label2->font().italic());
        QCOMPARE(linkColour(), QColor(0, 255, 255));
        // The version and the picture have no say.
        moveOnto(about.Label1);
        QVERIFY(about.linkLit());
        moveOnto(about.Image1);
        QVERIFY(about.linkLit());
        moveOnto(about.Command1);
        QVERIFY(!about.linkLit());
        QVERIFY(!about.Label2->font().italic());
        QCOMPARE(linkColour(), QColor(255, 255, 192));
        moveOnto(about.Label2);
        moveOnto(about.Label3);
        QVERIFY(!about.linkLit());
        moveOnto(about.Label2);
        QTest::mouseMove(&about, QPoint(about.width() - 3, about.height() - 3)); // bare form
        QVERIFY(!about.linkLit());

        QTest::mouseClick(about.Label2, Qt::LeftButton, {}, about.Label2->rect().center());
        QCOMPARE(answers.opened.size(), std::size_t(1));
        QCOMPARE(answers.opened[0], QUrl("https://qelsoft.example/"));
        QCOMPARE(about.Label2->text(), answers.opened[0].toString());

        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void splashLayout()
    {
        qel::frmSplash splash;
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.size(), QSize(px(4710), px(3825)));
        QCOMPARE(splash.ProgressBar1->geometry(), QRect(px(180), px(3540), px(4335), px(195)));
        QCOMPARE(splash.ProgressBar1->maximum(), 100);
        QCOMPARE(splash.ProgressBar1->value(), 0);
        QCOMPARE(splash.palette().color(QPalette::Window), QColor(Qt::black));
        QVERIFY(!splash.Image1->pixmap().isNull());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_search_about_splash.moc"
