// The group properties dialog on a stand-in main window that rescans a real folder.

#include "base/painting.h"
#include "dialogs/frmMprop.h"
#include "dialogs/hosts.h"
#include "records/groupstats.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/support/dialogframe.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using namespace qel;

namespace {

using Table = std::array<std::array<QString, 7>, 3>; // [group][row]

struct Learner {
    const char *name;
    Course course;
    int passedStep;
    int runs;
};

// Aoki has both Courses, so the group of all learners counts five rows.
const Learner kLearners[] = {
    {"Aoki", English, 4, 10}, {"Aoki", Kana, 2, 20}, {"Baba", English, 7, 40},
    {"Chiba", Kana, 0, 5},    {"Doi", English, 3, 25},
};

// Worked out by hand from the learners above: count, mean STEP, mean runs, highest and
// lowest STEP, highest and lowest runs.
const Table kFigures = {{
    {"5", "3.20", "20.00", "7", "0", "40", "5"},
    {"3", "4.67", "25.00", "7", "3", "40", "10"},
    {"2", "1.00", "12.50", "2", "0", "20", "5"},
}};

bool writeFolder(const QString &folder, bool withKana = true)
{
    for (const Learner &learner : kLearners) {
        if (learner.course == Kana && !withKana)
            continue;
        samples::RecordContent content;
        content.currentStep = std::uint16_t(learner.passedStep + 1);
        content.totalSeconds = 60 * learner.runs;
        for (int i = 0; i < learner.runs; ++i)
            content.runs.push_back({std::int16_t(100 + i), 100});
        const QString path = recordFolderPath(folder, recordFileName(learner.name, learner.course));
        if (!samples::writeFile(path, samples::recordBytes(content)))
            return false;
    }
    return true;
}

int twips(int value, int dpi)
{
    return qRound(value * dpi / 1440.0);
}

// The main window as the dialog sees it: a switch rescans the folder with collecting on,
// selects the root and changes the graph pane, as a rebuild may.
class FakeHost final : public GroupHost {
public:
    FakeHost(const QString &folder, int shown) : m_folder(folder) { load(shown); }

    int shownGroup() const override { return m_group; }
    bool shownGroupIsEmpty() const override { return m_rows == 0; }
    int selectedNodeIndex() const override { return node; }
    void selectNodeIndex(int index) override { node = index; }
    bool graphPaneVisible() const override { return paneVisible; }
    void setGraphPaneVisible(bool visible) override { paneVisible = visible; }
    void switchGroup(int group) override
    {
        switches.push_back(group);
        load(group);
        node = 0;
        paneVisible = !paneVisible;
        if (onSwitch)
            onSwitch(group);
    }
    GroupCollections &groupCollections() override { return m_collections; }
    GroupStatistics &groupStatistics() override { return statistics; }
    void printGroupReport() override { ++prints; }

    int node = 0;
    bool paneVisible = false;
    std::vector<int> switches;
    int prints = 0;
    GroupStatistics statistics;
    std::function<void(int group)> onSwitch;

private:
    void load(int group)
    {
        m_group = group;
        m_collections = {};
        m_rows = makeView(m_folder, scanFolder(m_folder, group).nodes, &m_collections).size();
    }

    QString m_folder;
    int m_group = 0;
    std::size_t m_rows = 0;
    GroupCollections m_collections;
};

Table shownTexts(const QDialog &dialog)
{
    Table table;
    for (int group = 0; group < 3; ++group)
        for (int row = 0; row < 7; ++row) {
            const auto *label = dialog.findChild<QLabel *>(QStringLiteral("lblValue_%1_%2").arg(group).arg(row));
            table[group][row] = label ? label->text() : QStringLiteral("<missing>");
        }
    return table;
}

Table statisticsTexts(const GroupStatistics &statistics)
{
    Table table;
    for (int group = 0; group < 3; ++group)
        for (int row = 0; row < 7; ++row)
            table[group][row] = statistics.text(row, group);
    return table;
}

QList<int> filledColumns(const QDialog &dialog)
{
    QList<int> filled;
    const Table texts = shownTexts(dialog);
    for (int group = 0; group < 3; ++group)
        if (!texts[group][0].isEmpty())
            filled << group;
    return filled;
}

QPushButton *button(const QDialog &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(QString::fromLatin1(name));
}

bool noticeShown(const QDialog &dialog)
{
    return !dialog.findChild<QLabel *>("lblNotice")->isHidden() &&
           !dialog.findChild<QLabel *>("lblNoticeShadow")->isHidden();
}

// Showing posts the first activation; processing the posted events runs it to the end.
void showAndSettle(QDialog &dialog)
{
    dialog.show();
    QCoreApplication::processEvents();
}

void saveShot(QWidget &widget, const QString &fileName)
{
    const QString dir = qEnvironmentVariable("QEL_SHOT_DIR");
    if (!dir.isEmpty())
        widget.grab().save(QDir(dir).filePath(fileName));
}

} // namespace

Q_DECLARE_METATYPE(QList<QList<int>>)

class tst_Mprop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        draw::installFontSubstitutes();
        m_folder = m_root.filePath("full");
        m_englishOnly = m_root.filePath("english");
        QVERIFY(QDir().mkpath(m_folder) && QDir().mkpath(m_englishOnly));
        QVERIFY(writeFolder(m_folder));
        QVERIFY(writeFolder(m_englishOnly, false));
    }
    void aggregatesThroughAllGroups_data();
    void aggregatesThroughAllGroups();
    void staysLockedWhileComputing();
    void emptyShownGroup_data();
    void emptyShownGroup();
    void otherGroupEmpty();
    void silentModeClosesItself();
    void reactivationDoesNotRecompute();
    void printStaysOpen();
    void layout();

private:
    QTemporaryDir m_root;
    QString m_folder;
    QString m_englishOnly;
};

void tst_Mprop::aggregatesThroughAllGroups_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("node");
    QTest::addColumn<bool>("paneVisible");
    QTest::addColumn<QList<int>>("switchOrder");
    // Columns already filled when each switch is asked for.
    QTest::addColumn<QList<QList<int>>>("filledAtSwitch");

    QTest::newRow("Kana shown, graph up") << 2 << 2 << true << QList<int>{0, 1, 2}
                                          << QList<QList<int>>{{2}, {0, 2}, {0, 1, 2}};
    QTest::newRow("Kana shown, list up") << 2 << 1 << false << QList<int>{0, 1, 2}
                                         << QList<QList<int>>{{2}, {0, 2}, {0, 1, 2}};
    QTest::newRow("all shown") << 0 << 4 << true << QList<int>{1, 2, 0}
                               << QList<QList<int>>{{0}, {0, 1}, {0, 1, 2}};
    QTest::newRow("English shown, root") << 1 << 0 << false << QList<int>{0, 2, 1}
                                         << QList<QList<int>>{{1}, {0, 1}, {0, 1, 2}};
}

void tst_Mprop::aggregatesThroughAllGroups()
{
    QFETCH(int, shown);
    QFETCH(int, node);
    QFETCH(bool, paneVisible);
    QFETCH(QList<int>, switchOrder);
    QFETCH(QList<QList<int>>, filledAtSwitch);

    FakeHost host(m_folder, shown);
    host.node = node;
    host.paneVisible = paneVisible;
    frmMprop dialog(host, false, QIcon());

    QList<QList<int>> filled;
    // An event posted at one switch must be handled before the next: the window paints
    // between groups.
    int posted = 0;
    int delivered = 0;
    QList<int> deliveredBefore;
    host.onSwitch = [&](int) {
        filled << filledColumns(dialog);
        deliveredBefore << delivered;
        ++posted;
        QMetaObject::invokeMethod(&dialog, [&] { ++delivered; }, Qt::QueuedConnection);
    };
    showAndSettle(dialog);

    QCOMPARE(QList<int>(host.switches.begin(), host.switches.end()), switchOrder);
    QCOMPARE(filled, filledAtSwitch);
    QCOMPARE(deliveredBefore, (QList<int>{0, 1, 2}));
    QCOMPARE(shownTexts(dialog), kFigures);
    QCOMPARE(statisticsTexts(host.statistics), kFigures);
    // The window is back as it was.
    QCOMPARE(host.shownGroup(), shown);
    QCOMPARE(host.node, node);
    QCOMPARE(host.paneVisible, paneVisible);

    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isComputing());
    QVERIFY(button(dialog, "cmdOK")->isEnabled());
    QVERIFY(button(dialog, "cmdPrint")->isEnabled());
    QVERIFY(!noticeShown(dialog));
    QCOMPARE(host.prints, 0);
    saveShot(dialog, QStringLiteral("mprop-shown-%1.png").arg(shown));
}

void tst_Mprop::staysLockedWhileComputing()
{
    FakeHost host(m_folder, KanaGroup);
    frmMprop dialog(host, false, QIcon());
    // Loading alone computes nothing and cannot be closed.
    QVERIFY(host.switches.empty());
    QVERIFY(!button(dialog, "cmdOK")->isEnabled());
    QVERIFY(!button(dialog, "cmdPrint")->isEnabled());
    QVERIFY(noticeShown(dialog));

    struct Seen {
        bool computing, okEnabled, printEnabled, notice, closed, visibleAfterEscape, visibleAfterReject;
    };
    QList<Seen> seen;
    bool shotTaken = false;
    host.onSwitch = [&](int) {
        if (!shotTaken) {
            saveShot(dialog, QStringLiteral("mprop-computing.png"));
            shotTaken = true;
        }
        Seen s{};
        s.computing = dialog.isComputing();
        s.okEnabled = button(dialog, "cmdOK")->isEnabled();
        s.printEnabled = button(dialog, "cmdPrint")->isEnabled();
        s.notice = noticeShown(dialog);
        s.closed = dialog.close();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        s.visibleAfterEscape = dialog.isVisible();
        dialog.reject();
        s.visibleAfterReject = dialog.isVisible();
        QTest::mouseClick(button(dialog, "cmdPrint"), Qt::LeftButton);
        // Activating again meanwhile must not start another round.
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&dialog, &activate);
        seen << s;
    };
    showAndSettle(dialog);

    QCOMPARE(seen.size(), 3);
    for (const Seen &s : seen) {
        QVERIFY(s.computing);
        QVERIFY(!s.okEnabled);
        QVERIFY(!s.printEnabled);
        QVERIFY(s.notice);
        QVERIFY(!s.closed);
        QVERIFY(s.visibleAfterEscape);
        QVERIFY(s.visibleAfterReject);
    }
    QCOMPARE(host.switches, (std::vector<int>{0, 1, 2}));
    QCOMPARE(host.prints, 0);
    QVERIFY(dialog.isVisible());
    // Once done, closing works.
    QVERIFY(dialog.close());
    QVERIFY(!dialog.isVisible());
}

void tst_Mprop::emptyShownGroup_data()
{
    QTest::addColumn<bool>("printRequest");
    QTest::newRow("opened by the user") << false;
    QTest::newRow("opened for the printout") << true;
}

void tst_Mprop::emptyShownGroup()
{
    QFETCH(bool, printRequest);
    FakeHost host(m_englishOnly, KanaGroup);
    QVERIFY(host.shownGroupIsEmpty());
    host.node = 0;
    host.paneVisible = true;
    // Figures of an earlier computation must not survive into the printout.
    for (auto &group : host.statistics.groups)
        group.fill(QStringLiteral("stale"));
    frmMprop dialog(host, printRequest, QIcon());
    showAndSettle(dialog);

    QVERIFY(host.switches.empty());
    QCOMPARE(shownTexts(dialog), Table{});
    QCOMPARE(statisticsTexts(host.statistics), Table{});
    QVERIFY(button(dialog, "cmdOK")->isEnabled());
    QVERIFY(button(dialog, "cmdPrint")->isEnabled());
    QVERIFY(!noticeShown(dialog));
    QCOMPARE(host.shownGroup(), int(KanaGroup));
    QVERIFY(host.paneVisible);
    QCOMPARE(dialog.isVisible(), !printRequest);
}

void tst_Mprop::otherGroupEmpty()
{
    FakeHost host(m_englishOnly, AllGroup);
    frmMprop dialog(host, false, QIcon());
    showAndSettle(dialog);

    // Without Kana files: all learners are the three English rows.
    Table expected{};
    expected[AllGroup] = kFigures[EnglishGroup];
    expected[EnglishGroup] = kFigures[EnglishGroup];
    QCOMPARE(shownTexts(dialog), expected);
    QCOMPARE(statisticsTexts(host.statistics), expected);
    QCOMPARE(host.switches, (std::vector<int>{1, 2, 0}));
}

void tst_Mprop::silentModeClosesItself()
{
    FakeHost host(m_folder, KanaGroup);
    host.node = 3;
    host.paneVisible = true;
    frmMprop dialog(host, true, QIcon());
    bool openWhileComputing = false;
    host.onSwitch = [&](int) { openWhileComputing = dialog.isVisible(); };
    showAndSettle(dialog);

    QVERIFY(openWhileComputing);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(statisticsTexts(host.statistics), kFigures);
    QCOMPARE(host.shownGroup(), int(KanaGroup));
    QCOMPARE(host.node, 3);
    QVERIFY(host.paneVisible);
    QCOMPARE(host.prints, 0);
}

void tst_Mprop::reactivationDoesNotRecompute()
{
    FakeHost host(m_folder, EnglishGroup);
    frmMprop dialog(host, false, QIcon());
    showAndSettle(dialog);
    QCOMPARE(host.switches.size(), std::size_t(3));

    // Edit the statistics so a second computation would show.
    host.statistics.groups[0][0] = QStringLiteral("kept");
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&dialog, &activate);
    dialog.hide();
    showAndSettle(dialog);
    QCoreApplication::sendEvent(&dialog, &activate);

    QCOMPARE(host.switches.size(), std::size_t(3));
    QCOMPARE(host.statistics.groups[0][0], QStringLiteral("kept"));
    QCOMPARE(shownTexts(dialog), kFigures);
}

void tst_Mprop::printStaysOpen()
{
    FakeHost host(m_folder, AllGroup);
    frmMprop dialog(host, false, QIcon());
    showAndSettle(dialog);
    QTest::mouseClick(button(dialog, "cmdPrint"), Qt::LeftButton);
    QCOMPARE(host.prints, 1);
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(button(dialog, "cmdOK"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(host.prints, 1);
}

void tst_Mprop::layout()
{
    FakeHost host(m_folder, AllGroup);
    frmMprop dialog(host, false, QIcon());
    const int dx = dialog.logicalDpiX();
    const int dy = dialog.logicalDpiY();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("全体のプロパティ"));
    QCOMPARE(dialog.size(), QSize(twips(6465, dx), twips(3525, dy)));
    QVERIFY(qeltest::hasDialogFrame(dialog));

    auto at = [&](const char *name, int left, int top) {
        const auto *widget = dialog.findChild<QWidget *>(QString::fromLatin1(name));
        return widget && widget->pos() == QPoint(twips(left, dx), twips(top, dy));
    };
    const char *headers[3] = {"全体", "英文練習", "かな／ローマ練習"};
    const int headerLeft[3] = {1860, 3360, 4740};
    const int valueLeft[3] = {1380, 3120, 4740};
    const int rowTop[7] = {480, 840, 1200, 1560, 1920, 2280, 2640};
    const char *captions[7] = {"練習人数", "平均STEP", "平均練習回数", "最高STEP",
                               "最低STEP", "最高練習回数", "最低練習回数"};
    for (int group = 0; group < 3; ++group) {
        const QByteArray header = "lblHeader_" + QByteArray::number(group);
        QVERIFY2(at(header, headerLeft[group], 120), header);
        QCOMPARE(dialog.findChild<QLabel *>(QString::fromLatin1(header))->text(), QString::fromUtf8(headers[group]));
        for (int row = 0; row < 7; ++row) {
            const QByteArray value = "lblValue_" + QByteArray::number(group) + "_" + QByteArray::number(row);
            QVERIFY2(at(value, valueLeft[group], rowTop[row]), value);
        }
    }
    for (int row = 0; row < 7; ++row) {
        const auto *caption = dialog.findChild<QLabel *>(QStringLiteral("lblCaption_%1").arg(row));
        QVERIFY(caption);
        QCOMPARE(caption->text(), QString::fromUtf8(captions[row]));
        QCOMPARE(caption->y(), twips(rowTop[row], dy));
        // The caption's text starts between left 60 and 420 and stops short of the values.
        const int textWidth = caption->fontMetrics().horizontalAdvance(caption->text());
        const int textLeft = caption->geometry().right() + 1 - textWidth;
        QVERIFY(textLeft >= twips(60, dx) && textLeft <= twips(420, dx) + 2);
        QVERIFY(caption->geometry().right() < twips(1380, dx));
    }

    struct Notice {
        const char *name;
        int left, top;
        QColor colour;
    };
    for (const Notice &n : {Notice{"lblNoticeShadow", 2220, 1500, QColor(0xC0, 0xC0, 0xC0)},
                            Notice{"lblNotice", 2100, 1365, QColor(0x00, 0x00, 0xFF)}}) {
        const auto *label = dialog.findChild<QLabel *>(QString::fromLatin1(n.name));
        QVERIFY(label);
        QVERIFY2(at(n.name, n.left, n.top), n.name);
        QCOMPARE(label->text(), QStringLiteral("集計しています。"));
        QCOMPARE(label->font().family(), draw::kPGothic);
        QCOMPARE(label->font().pointSize(), 24);
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), n.colour);
        QVERIFY(label->width() >= twips(3735, dx));
        QVERIFY2(label->sizeHint().width() <= label->width(), "notice cut");
        QVERIFY(dialog.rect().contains(label->geometry()));
    }
    // The blue text lies over its silver shadow.
    const auto children = dialog.children();
    QVERIFY(children.indexOf(dialog.findChild<QLabel *>("lblNotice")) >
            children.indexOf(dialog.findChild<QLabel *>("lblNoticeShadow")));

    for (const auto &[name, left, text] : {std::tuple{"cmdPrint", 3780, "印刷"}, std::tuple{"cmdOK", 5100, "OK"}}) {
        const auto *b = button(dialog, name);
        QVERIFY(b);
        QCOMPARE(b->text(), QString::fromUtf8(text));
        QCOMPARE(b->geometry(), QRect(twips(left, dx), twips(3000, dy), twips(1275, dx), twips(435, dy)));
    }

    // Filled in, every text fits its label and the dialog.
    showAndSettle(dialog);
    for (const QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->isHidden() || label->text().isEmpty())
            continue;
        QVERIFY2(dialog.rect().contains(label->geometry()), qPrintable(label->objectName()));
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
        QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(label->objectName()));
    }
}

QTEST_MAIN(tst_Mprop)
#include "test_mprop.moc"
