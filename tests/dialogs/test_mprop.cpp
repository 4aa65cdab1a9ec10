// The group properties dialog on a stand-in main window that reads a real folder.

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

// The main window as the dialog sees it: asked for the figures, it reads the folder and
// hands them over when the test says so, as the window's session does once its look ends.
class FakeHost final : public GroupHost {
public:
    FakeHost(const QString &folder, int shown) : m_folder(folder), m_shown(shown) {}

    void requestGroupFigures(std::function<void(const GroupStatistics &)> done) override
    {
        ++requests;
        m_waiting.push_back(std::move(done));
    }
    void printGroupReport(const GroupStatistics &figures) override { printed.push_back(figures); }

    // Hands the figures of the folder as it is now to every dialog waiting.
    void deliver()
    {
        const GroupStatistics figures = computeAllGroups(m_folder, m_shown);
        auto waiting = std::move(m_waiting);
        m_waiting.clear();
        for (const auto &done : waiting)
            done(figures);
    }
    bool waiting() const { return !m_waiting.empty(); }

    int requests = 0;
    std::vector<GroupStatistics> printed;

private:
    QString m_folder;
    int m_shown = 0;
    std::vector<std::function<void(const GroupStatistics &)>> m_waiting;
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

QPushButton *button(const QDialog &dialog, const char *name)
{
    return dialog.findChild<QPushButton *>(QString::fromLatin1(name));
}

bool noticeShown(const QDialog &dialog)
{
    return !dialog.findChild<QLabel *>("lblNotice")->isHidden() &&
           !dialog.findChild<QLabel *>("lblNoticeShadow")->isHidden();
}

// Showing posts the first activation, which asks the host for the figures.
void showAndAsk(QDialog &dialog, const FakeHost &host)
{
    dialog.show();
    QTRY_VERIFY(host.requests > 0);
}

void showAndSettle(QDialog &dialog, FakeHost &host)
{
    showAndAsk(dialog, host);
    host.deliver();
}

void saveShot(QWidget &widget, const QString &fileName)
{
    const QString dir = qEnvironmentVariable("QEL_SHOT_DIR");
    if (!dir.isEmpty())
        widget.grab().save(QDir(dir).filePath(fileName));
}

} // namespace

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
    void showsTheFiguresOfAllGroups_data();
    void showsTheFiguresOfAllGroups();
    void staysLockedWhileComputing();
    void emptyShownGroup();
    void otherGroupEmpty();
    void reactivationDoesNotRecompute();
    void printStaysOpen();
    void figuresAfterTheDialogWentAreDropped();
    void layout();

private:
    QTemporaryDir m_root;
    QString m_folder;
    QString m_englishOnly;
};

void tst_Mprop::showsTheFiguresOfAllGroups_data()
{
    QTest::addColumn<int>("shown");
    QTest::newRow("all shown") << 0;
    QTest::newRow("English shown") << 1;
    QTest::newRow("Kana shown") << 2;
}

void tst_Mprop::showsTheFiguresOfAllGroups()
{
    QFETCH(int, shown);
    FakeHost host(m_folder, shown);
    frmMprop dialog(host, QIcon());
    showAndSettle(dialog, host);

    QCOMPARE(host.requests, 1);
    QCOMPARE(shownTexts(dialog), kFigures);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isComputing());
    QVERIFY(button(dialog, "cmdOK")->isEnabled());
    QVERIFY(button(dialog, "cmdPrint")->isEnabled());
    QVERIFY(!noticeShown(dialog));
    QVERIFY(host.printed.empty());
    saveShot(dialog, QStringLiteral("mprop-shown-%1.png").arg(shown));
}

void tst_Mprop::staysLockedWhileComputing()
{
    FakeHost host(m_folder, KanaGroup);
    frmMprop dialog(host, QIcon());
    // Loading alone asks for nothing and cannot be closed.
    QCOMPARE(host.requests, 0);
    QVERIFY(!button(dialog, "cmdOK")->isEnabled());
    QVERIFY(!button(dialog, "cmdPrint")->isEnabled());
    QVERIFY(noticeShown(dialog));

    showAndAsk(dialog, host);
    saveShot(dialog, QStringLiteral("mprop-computing.png"));
    QVERIFY(dialog.isComputing());
    QVERIFY(!button(dialog, "cmdOK")->isEnabled());
    QVERIFY(!button(dialog, "cmdPrint")->isEnabled());
    QVERIFY(noticeShown(dialog));
    QVERIFY(!dialog.close());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    dialog.reject();
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(button(dialog, "cmdPrint"), Qt::LeftButton);
    QVERIFY(host.printed.empty());
    // Activating again meanwhile asks no second time.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&dialog, &activate);
    QCOMPARE(host.requests, 1);

    host.deliver();
    QVERIFY(!dialog.isComputing());
    QVERIFY(!noticeShown(dialog));
    // Once done, closing works.
    QVERIFY(dialog.close());
    QVERIFY(!dialog.isVisible());
}

void tst_Mprop::emptyShownGroup()
{
    FakeHost host(m_englishOnly, KanaGroup);
    frmMprop dialog(host, QIcon());
    showAndSettle(dialog, host);

    QCOMPARE(shownTexts(dialog), Table{});
    QVERIFY(button(dialog, "cmdOK")->isEnabled());
    QVERIFY(button(dialog, "cmdPrint")->isEnabled());
    QVERIFY(!noticeShown(dialog));
    // The printout gets the empty figures, never those of an earlier computation.
    QTest::mouseClick(button(dialog, "cmdPrint"), Qt::LeftButton);
    QCOMPARE(host.printed.size(), std::size_t(1));
    QCOMPARE(statisticsTexts(host.printed.front()), Table{});
}

void tst_Mprop::otherGroupEmpty()
{
    FakeHost host(m_englishOnly, AllGroup);
    frmMprop dialog(host, QIcon());
    showAndSettle(dialog, host);

    // Without Kana files: all learners are the three English rows.
    Table expected{};
    expected[AllGroup] = kFigures[EnglishGroup];
    expected[EnglishGroup] = kFigures[EnglishGroup];
    QCOMPARE(shownTexts(dialog), expected);
}

void tst_Mprop::reactivationDoesNotRecompute()
{
    FakeHost host(m_folder, EnglishGroup);
    frmMprop dialog(host, QIcon());
    showAndSettle(dialog, host);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&dialog, &activate);
    dialog.hide();
    dialog.show();
    QCoreApplication::sendEvent(&dialog, &activate);
    QTest::qWait(0);
    QCOMPARE(host.requests, 1);
    QCOMPARE(shownTexts(dialog), kFigures);
}

void tst_Mprop::printStaysOpen()
{
    FakeHost host(m_folder, AllGroup);
    frmMprop dialog(host, QIcon());
    showAndSettle(dialog, host);
    QTest::mouseClick(button(dialog, "cmdPrint"), Qt::LeftButton);
    QCOMPARE(host.printed.size(), std::size_t(1));
    QCOMPARE(statisticsTexts(host.printed.front()), kFigures);
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(button(dialog, "cmdOK"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(host.printed.size(), std::size_t(1));
}

// Figures that come after the dialog has gone (a slow folder) find nothing to fill.
void tst_Mprop::figuresAfterTheDialogWentAreDropped()
{
    FakeHost host(m_folder, AllGroup);
    {
        frmMprop dialog(host, QIcon());
        showAndAsk(dialog, host);
    }
    QVERIFY(host.waiting());
    host.deliver();
}

void tst_Mprop::layout()
{
    FakeHost host(m_folder, AllGroup);
    frmMprop dialog(host, QIcon());
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
    showAndSettle(dialog, host);
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
