// The window in another language: no text left out of the translation, a key of its own
// for every item of a menu in either language, and a switch of language that reaches the
// window and an open dialog at once and is kept at close.

#include "config/language.h"
#include "config/viewersettings.h"
#include "tests/mainwindow/viewertestsupport.h"

#include <QMenuBar>
#include <QRegularExpression>
#include <QTranslator>

using namespace qeltest;

// A list of faults that should be empty, shown whole when it is not.
#define EXPECT_NONE(faults)                                                                                    \
    do {                                                                                                       \
        const QStringList found = (faults);                                                                    \
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));                              \
    } while (false)

namespace {

// Marks a code page 932 can hold: some texts pass through it on their way to the screen.
const QString kMarkStart = QStringLiteral("【");

// Marks every text it is asked for, so that a text shown unmarked never went through the
// translation.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return kMarkStart + QString::fromUtf8(source) + QStringLiteral("】");
    }
};

// The texts that are the same in every language: the learners' names, the folder, the
// languages' own names and captions, the program's name, version, web page and copyright.
// Figures, dates and times hold no letter at all.
bool needsTranslation(const QString &text, const QStringList &sameInEveryLanguage)
{
    static const QRegularExpression identity(
        QStringLiteral("^(QelViewer|Ver[0-9.]+|https://\\S+|Copyright \\(C\\) QelSoft)$"));
    if (text.contains(kMarkStart) || text.contains(identity))
        return false;
    for (const QString &same : sameInEveryLanguage)
        if (text == same || QString(text).remove(QLatin1Char('&')) == same)
            return false;
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// The key letter of a caption: "削除(&D)" and "&Delete" give D; none without one.
QChar keyOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return {};
}

// Each item of each menu of the window, and of the menu bar, that has no key or shares it
// with another of its menu: "menu: caption".
QStringList keyFaults(QMainWindow &window)
{
    QStringList faults;
    QList<QWidget *> menus;
    menus << window.menuBar();
    for (QMenu *menu : window.findChildren<QMenu *>())
        menus << menu;
    for (QWidget *menu : menus) {
        QHash<QChar, QString> taken;
        for (const QAction *item : menu->actions()) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            const QChar key = keyOf(item->text());
            const QString where = menu->objectName() + QStringLiteral(": ") + item->text();
            if (key.isNull())
                faults << where + QStringLiteral(" (no key)");
            else if (taken.contains(key))
                faults << where + QStringLiteral(" (as ") + taken[key] + QLatin1Char(')');
            else
                taken.insert(key, item->text());
        }
    }
    return faults;
}

// The texts with words in them: the clock's figures move on meanwhile.
QStringList wordsShownBy(QWidget &top)
{
    QStringList words;
    for (const QString &text : textsShownBy(top, false))
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
            words << text;
    return words;
}

bool hasJapanese(const QString &text)
{
    static const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(japanese);
}

} // namespace

class FrmMainLanguageTest : public QObject, protected WindowFixture<> {
    Q_OBJECT

private:
    QStringList sameInEveryLanguage() const
    {
        QStringList same{QStringLiteral("Aoki"), QStringLiteral("Baba"), QDir::toNativeSeparators(folder->path())};
        for (const qel::OfferedLanguage &offered : qel::offeredLanguages())
            same << offered.name;
        for (const QAction *choice : menu(QStringLiteral("mnuLanguage"))->actions())
            same << choice->text() << choice->toolTip();
        return same;
    }

    // What the window and whatever it has open show unmarked.
    QStringList unmarked(QWidget &top) const
    {
        QStringList found;
        const QStringList same = sameInEveryLanguage();
        for (const QString &text : textsShownBy(top, false))
            if (needsTranslation(text, same))
                found << text;
        found.removeDuplicates();
        return found;
    }

    void writeFolder()
    {
        QVERIFY(writeRecord(folder->path(), QStringLiteral("Aoki"), true, {60, 70, 80}));
        QVERIFY(writeRecord(folder->path(), QStringLiteral("Baba"), false, {40, 45}));
    }

private slots:
    void init()
    {
        setUp();
        qel::installLanguage(qel::Language::Japanese);
    }
    void cleanup()
    {
        tearDown();
        qel::installLanguage(qel::Language::Japanese);
    }

    // Built under the marks, and marked again by a change of language: list, graph and
    // board each take the right pane once.
    void everyTextIsTranslated_data()
    {
        QTest::addColumn<bool>("markedBeforeOpening");
        QTest::newRow("built marked") << true;
        QTest::newRow("marked once open") << false;
    }
    void everyTextIsTranslated()
    {
        QFETCH(bool, markedBeforeOpening);
        writeFolder();
        MarkingTranslator marks;
        if (markedBeforeOpening)
            QCoreApplication::installTranslator(&marks);
        open();
        if (!markedBeforeOpening) {
            QCoreApplication::installTranslator(&marks);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        }
        EXPECT_NONE(unmarked(*window));

        clickNode(learnerNode(QStringLiteral("Aoki")));
        QVERIFY(graphShown());
        EXPECT_NONE(unmarked(*window));
        trigger(QStringLiteral("mnuAllStep_0"));
        EXPECT_NONE(unmarked(*window));
        trigger(QStringLiteral("mnuViewClassBoard"));
        EXPECT_NONE(unmarked(*window));

        // What the window asks goes through the translation too.
        selectRow(0);
        asker->answers = {false};
        trigger(QStringLiteral("mnuFileDelete"));
        QCOMPARE(asker->messages.size(), std::size_t(1));
        QVERIFY2(asker->messages[0].text.startsWith(kMarkStart), qPrintable(asker->messages[0].text));
        QVERIFY(asker->messages[0].title.startsWith(kMarkStart));
    }

    // The dialogs the window opens, each as it first shows, and what the window asks.
    void everyDialogIsTranslated()
    {
        writeFolder();
        MarkingTranslator marks;
        QCoreApplication::installTranslator(&marks);
        open();
        QStringList faults, opened;
        asker->onDialog = [&](QDialog &dialog) {
            opened << dialog.metaObject()->className();
            for (const QString &text : unmarked(dialog))
                faults << QStringLiteral("%1: %2").arg(dialog.metaObject()->className(), text);
            return int(QDialog::Rejected);
        };
        const QStringList commands{"mnuFileFind", "mnuPorpPersonal", "mnuPropAll",    "mnuHelpAbout",
                                   "mnuHistory",  "mnuWeeks",        "mnuViewTargets"};
        for (const QString &command : commands) {
            selectRow(0);
            setCurrentRow(0);
            const qsizetype before = opened.size();
            trigger(command);
            // The history's dialogs open once the journal has answered.
            QTRY_COMPARE(opened.size(), before + 1);
        }
        for (const Message &told : asker->messages)
            if (needsTranslation(told.text, sameInEveryLanguage()))
                faults << told.text;
        EXPECT_NONE(faults);
    }

    // Every item of every menu, pop-ups included, has a key of its own within its menu.
    void menuKeysAreUnique_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("Japanese") << QStringLiteral("ja");
        QTest::newRow("English") << QStringLiteral("en");
    }
    void menuKeysAreUnique()
    {
        QFETCH(QString, code);
        const qel::Language language = *qel::languageOfCode(code);
        open();
        QVERIFY(qel::installLanguage(language));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        EXPECT_NONE(keyFaults(*window));
        // The English is there, not the Japanese left over.
        if (language == qel::Language::English) {
            QCOMPARE(menu(QStringLiteral("mnuFile"))->title(), QStringLiteral("&File"));
            QStringList leftJapanese;
            for (QMenu *m : window->findChildren<QMenu *>())
                for (const QAction *item : m->actions())
                    if (hasJapanese(item->text()) && item->data().toString() != QStringLiteral("ja"))
                        leftJapanese << item->text();
            EXPECT_NONE(leftJapanese);
        } else {
            QCOMPARE(menu(QStringLiteral("mnuFile"))->title(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        }
    }

    // Chosen in the View menu while a dialog is open: both speak it at once, the choice is
    // kept at close, and the way back gives the Japanese exactly as it was.
    void languageSwitchesAtOnceAndIsKept()
    {
        writeFolder();
        open();
        const QStringList japanese = wordsShownBy(*window);
        QAction *english = action(QStringLiteral("mnuLanguage_en"));
        QAction *japaneseChoice = action(QStringLiteral("mnuLanguage_ja"));
        QVERIFY(japaneseChoice->isChecked());

        QString titleBefore, titleDuring;
        asker->onDialog = [&](QDialog &dialog) {
            titleBefore = dialog.windowTitle();
            english->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
            titleDuring = dialog.windowTitle();
            return int(QDialog::Rejected);
        };
        trigger(QStringLiteral("mnuFileFind"));
        QVERIFY(!titleBefore.isEmpty());
        QVERIFY2(titleDuring != titleBefore, qPrintable(titleDuring));
        QCOMPARE(menu(QStringLiteral("mnuView"))->title(), QStringLiteral("&View"));
        QVERIFY(english->isChecked() && !japaneseChoice->isChecked());
        QVERIFY(!hasJapanese(rootNode()->text(0)));
        QVERIFY(!hasJapanese(model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString()));
        QVERIFY(!hasJapanese(part<QLabel>(QStringLiteral("lblTitle_1"))->text()));

        japaneseChoice->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(wordsShownBy(*window), japanese);

        english->trigger();
        window->close();
        QVERIFY(qel::storedLanguage() == qel::Language::English);
    }
};

QTEST_MAIN(FrmMainLanguageTest)
#include "test_frmmain_language.moc"
