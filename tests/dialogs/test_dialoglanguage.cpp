// Every dialog speaks English or Japanese and switches while it is open; its keys stay
// unique in both languages.

#include "config/language.h"
#include "dialogs/About.h"
#include "dialogs/frmHistory.h"
#include "dialogs/frmMprop.h"
#include "dialogs/frmOutputNames.h"
#include "dialogs/frmPropaty.h"
#include "dialogs/frmSearch.h"
#include "dialogs/frmSplash.h"
#include "dialogs/frmTargets.h"
#include "dialogs/frmWeeks.h"
#include "dialogs/historymodels.h"
#include "dialogs/hosts.h"
#include "records/groupstats.h"
#include "tests/support/scriptedasker.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <memory>

using namespace qel;
using namespace qel::history;

namespace {

// Puts a language into effect and hands every window its LanguageChange now.
void speak(Language language)
{
    QVERIFY(installLanguage(language));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

bool hasJapanese(const QString &text)
{
    for (const QChar c : text)
        if ((c.unicode() >= 0x3040 && c.unicode() <= 0x30FF) || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF))
            return true;
    return false;
}

// Every text a dialog shows or tells a screen reader, by object and kind.
QStringList wordsOf(const QWidget &dialog)
{
    QStringList words{QStringLiteral("title=") + dialog.windowTitle()};
    for (const QWidget *w : dialog.findChildren<QWidget *>()) {
        const QString id = w->objectName() + QLatin1Char('/') + QLatin1String(w->metaObject()->className());
        if (const auto *label = qobject_cast<const QLabel *>(w))
            words << id + QStringLiteral(" text=") + label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            words << id + QStringLiteral(" text=") + button->text();
        words << id + QStringLiteral(" name=") + w->accessibleName() + QStringLiteral(" about=") +
                     w->accessibleDescription() + QStringLiteral(" tip=") + w->toolTip();
        if (const auto *view = qobject_cast<const QAbstractItemView *>(w)) {
            const QAbstractItemModel *model = view->model();
            for (int c = 0; c < model->columnCount(); ++c) {
                words << id + QStringLiteral(" head=") + model->headerData(c, Qt::Horizontal).toString();
                for (int r = 0; r < model->rowCount(); ++r)
                    words << id + QStringLiteral(" cell=") + model->index(r, c).data().toString();
            }
        }
    }
    return words;
}

// The texts that are the dialog's own words, never data: title, buttons, table headers.
QStringList ownWords(const QWidget &dialog)
{
    QStringList words{dialog.windowTitle()};
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        words << button->text();
    for (const QAbstractItemView *view : dialog.findChildren<QAbstractItemView *>())
        for (int c = 0; c < view->model()->columnCount(); ++c)
            words << view->model()->headerData(c, Qt::Horizontal).toString();
    return words;
}

// Accelerators used twice among the buttons and the labels that lead to a control.
QStringList sharedKeys(const QWidget &dialog)
{
    QStringList texts;
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (label->buddy())
            texts << label->text();
    QStringList seen, shared;
    for (const QString &text : texts) {
        const QString key = QKeySequence::mnemonic(text).toString();
        if (key.isEmpty())
            continue;
        if (seen.contains(key))
            shared << key + QStringLiteral(" in ") + text;
        seen << key;
    }
    return shared;
}

class ListStandIn : public SearchTarget {
public:
    void hideGraphPane() override {}
    bool selectLearnerRow(const QString &) override { return false; }
};

class HostStandIn : public GroupHost {
public:
    void requestGroupFigures(std::function<void(const GroupStatistics &)>) override {}
    void printGroupReport(const GroupStatistics &) override {}
};

LearnerSummary plainSummary()
{
    LearnerSummary s;
    for (CourseTexts &t : s.courses)
        t = {"3", "12", "00:40:00", "1.50", "120", "2026/11/25 10:00:00"};
    s.settings = {"Text A", "Text B", "-", "-", "-", "-", "-", "-", "-", "-"};
    return s;
}

LearnerHistory twoDays()
{
    LearnerHistory h;
    h.name = QStringLiteral("taro");
    h.today = QDate(2026, 11, 25);
    for (int d = 0; d < 2; ++d) {
        PeriodFigures p;
        p.first = p.last = QDate(2026, 11, 24).addDays(d);
        p.days = 1;
        p.daysObserved = d; // the first day was not seen
        p.runs = 2 * d;
        h.days.push_back(p);
    }
    PeriodFigures week;
    week.first = QDate(2026, 11, 23);
    week.last = week.first.addDays(6);
    week.days = 3;
    week.daysObserved = 2;
    week.runs = 2;
    h.weeks.push_back(week);
    return h;
}

WeekComparison oneLearner()
{
    WeekComparison c;
    c.today = QDate(2026, 11, 25);
    c.thisWeek = QDate(2026, 11, 23);
    c.lastWeek = QDate(2026, 11, 16);
    LearnerWeeks l;
    l.name = QStringLiteral("Aoki");
    l.key = QStringLiteral("Aoki_Qele.dat");
    l.thisWeek = {1, 60, 0, true, {}};
    l.lastWeek = {0, 0, 0, false, {}};
    c.learners = {l};
    c.groupThis = {1, 60, 0, true, {}};
    c.groupLast = {0, 0, 0, false, {}};
    c.learnerCount = 1;
    c.activeThis = 1;
    return c;
}

using Factory = std::function<std::unique_ptr<QWidget>()>;

} // namespace

Q_DECLARE_METATYPE(Factory)

class tst_DialogLanguage : public QObject {
    Q_OBJECT
private slots:
    void init() { speak(Language::Japanese); }
    void cleanupTestCase() { speak(Language::Japanese); }

    void switchesWhileOpenAndBack_data();
    void switchesWhileOpenAndBack();
    void tabReachesEveryControl_data() { switchesWhileOpenAndBack_data(); }
    void tabReachesEveryControl();
    void modelsTellTheirViews();
    void greyedCaptionsInEveryLanguage();
    void linkOpensFromTheKeyboard();
};

void tst_DialogLanguage::switchesWhileOpenAndBack_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QString>("japaneseTitle");
    QTest::addColumn<QString>("englishTitle");
    // A label, button or accessible name of the dialog, in English.
    QTest::addColumn<QString>("englishText");

    static ListStandIn list;
    static HostStandIn host;
    QTest::newRow("find") << Factory([] { return std::make_unique<frmSearch>(list); }) << "検索" << "Find"
                          << "Name to find";
    QTest::newRow("about") << Factory([] { return std::make_unique<About>(); }) << "QelViewer" << "QelViewer"
                           << "Maker's web page";
    QTest::newRow("splash") << Factory([] { return std::make_unique<frmSplash>(); }) << "" << ""
                            << "Reading the record folder";
    QTest::newRow("personal") << Factory([] {
        return std::make_unique<frmPropaty>(plainSummary(), QStringLiteral("taro"), QIcon());
    }) << "個人のプロパティ" << "Personal Properties" << "Best SPM";
    QTest::newRow("group") << Factory([] { return std::make_unique<frmMprop>(host, QIcon()); })
                           << "全体のプロパティ" << "Group Properties" << "Counting...";
    QTest::newRow("history") << Factory([] { return std::make_unique<frmHistory>(twoDays(), QIcon()); })
                             << "練習の記録" << "Practice Record" << "Practice record of taro (English)";
    QTest::newRow("weeks") << Factory([] {
        return std::make_unique<frmWeeks>(WeekView{oneLearner(), QString(), KanaGroup, QString()}, QIcon());
    }) << "今週と先週 - かな/ローマ" << "This Week and Last - Kana/Romaji" << "Print P&review";
    QTest::newRow("targets") << Factory([] { return std::make_unique<frmTargets>(ClassTargets{}); })
                             << "目標の設定" << "Targets" << "Restore &defaults";
    QTest::newRow("names") << Factory([] { return std::make_unique<frmOutputNames>(false); })
                           << "名前の出力" << "Names in the Output" << "Real &names";
}

void tst_DialogLanguage::switchesWhileOpenAndBack()
{
    QFETCH(Factory, make);
    QFETCH(QString, japaneseTitle);
    QFETCH(QString, englishTitle);
    QFETCH(QString, englishText);

    const std::unique_ptr<QWidget> dialog = make();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const QStringList japanese = wordsOf(*dialog);
    QCOMPARE(dialog->windowTitle(), japaneseTitle);
    QVERIFY2(sharedKeys(*dialog).isEmpty(), qPrintable(sharedKeys(*dialog).join(", ")));

    speak(Language::English);
    QCOMPARE(dialog->windowTitle(), englishTitle);
    QStringList shown;
    for (const QWidget *w : dialog->findChildren<QWidget *>()) {
        if (const auto *label = qobject_cast<const QLabel *>(w))
            shown << label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            shown << button->text();
        shown << w->accessibleName();
    }
    QVERIFY2(shown.contains(englishText), qPrintable(shown.join(" | ")));
    for (const QString &word : ownWords(*dialog))
        QVERIFY2(!hasJapanese(word), qPrintable(word));
    QVERIFY2(sharedKeys(*dialog).isEmpty(), qPrintable(sharedKeys(*dialog).join(", ")));

    speak(Language::Japanese);
    QCOMPARE(wordsOf(*dialog), japanese);
}

void tst_DialogLanguage::tabReachesEveryControl()
{
    QFETCH(Factory, make);
    const std::unique_ptr<QWidget> dialog = make();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    // Of a group of radio buttons Tab stops at the one chosen; arrows move within it.
    QSet<QWidget *> controls;
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        const auto *radio = qobject_cast<QAbstractButton *>(w);
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible() && w->isEnabled() &&
            !(radio && radio->autoExclusive() && radio->isCheckable() && !radio->isChecked()))
            controls << w;
    }
    QSet<QWidget *> reached;
    for (int i = 0; i < 2 * int(controls.size()) && QApplication::focusWidget(); ++i) {
        reached << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget *control : std::as_const(controls))
        QVERIFY2(reached.contains(control), qPrintable(control->objectName() + control->metaObject()->className()));
}

void tst_DialogLanguage::modelsTellTheirViews()
{
    PeriodTableModel periods;
    WeekTableModel weeks;
    QAbstractItemModelTester periodTester(&periods, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester weekTester(&weeks, QAbstractItemModelTester::FailureReportingMode::QtTest);
    periods.setPeriods(twoDays().days, Period::Day);
    weeks.setComparison(oneLearner());
    const auto texts = [](const QAbstractItemModel &model) {
        QStringList all;
        for (int c = 0; c < model.columnCount(); ++c) {
            all << model.headerData(c, Qt::Horizontal).toString();
            for (int r = 0; r < model.rowCount(); ++r)
                all << model.index(r, c).data().toString();
        }
        return all;
    };
    const QStringList japanesePeriods = texts(periods), japaneseWeeks = texts(weeks);
    // The day not seen and last week not seen say so.
    QVERIFY(japanesePeriods.contains(QStringLiteral("未観測")));
    QVERIFY(japaneseWeeks.contains(QStringLiteral("未観測")));

    for (QAbstractItemModel *model : {static_cast<QAbstractItemModel *>(&periods), static_cast<QAbstractItemModel *>(&weeks)}) {
        QSignalSpy headers(model, &QAbstractItemModel::headerDataChanged);
        QSignalSpy cells(model, &QAbstractItemModel::dataChanged);
        speak(Language::English);
        QVERIFY(!headers.isEmpty());
        QVERIFY(!cells.isEmpty());
        for (const QString &text : texts(*model))
            QVERIFY2(!hasJapanese(text), qPrintable(text));
        speak(Language::Japanese);
    }
    QCOMPARE(texts(periods), japanesePeriods);
    QCOMPARE(texts(weeks), japaneseWeeks);
}

void tst_DialogLanguage::greyedCaptionsInEveryLanguage()
{
    for (const Language language : {Language::Japanese, Language::English}) {
        speak(language);
        // The keyboard hidden, the kanji shown, as the settings reader words them now.
        LearnerSummary summary = plainSummary();
        summary.settings[KeyboardSetting] = QCoreApplication::translate("LearnerSettings", "非表示");
        summary.settings[MistypeSetting] = QStringLiteral("－");
        summary.settings[KanjiSetting] = QCoreApplication::translate("LearnerSettings", "表示");
        summary.settings[ReadingSetting] = QCoreApplication::translate("LearnerSettings", "非表示");
        const frmPropaty dialog(summary, QStringLiteral("taro"), QIcon());
        QVERIFY(!dialog.findChild<QLabel *>("lblMistypeCaption")->isEnabled());
        QVERIFY(dialog.findChild<QLabel *>("lblReadingCaption")->isEnabled());
    }
}

void tst_DialogLanguage::linkOpensFromTheKeyboard()
{
    qeltest::ScriptedAsker asker;
    About about;
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    about.Command1->setFocus();
    QTest::keyClick(&about, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), about.Label2);
    QVERIFY(about.linkLit());
    QTest::keyClick(about.Label2, Qt::Key_Return);
    QCOMPARE(asker.opened, std::vector<QUrl>{QUrl(About::makerAddress())});
    QVERIFY(about.isVisible()); // Enter opened the page, not the default button
}

QTEST_MAIN(tst_DialogLanguage)
#include "test_dialoglanguage.moc"
