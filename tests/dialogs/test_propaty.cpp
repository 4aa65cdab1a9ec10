// The personal properties dialog: texts, greyed captions, layout and the two buttons.

#include "base/painting.h"
#include "dialogs/frmPropaty.h"
#include "records/cp932.h"
#include "records/learnersettings.h"
#include "records/learnersummary.h"
#include "records/learnertable.h"
#include "samples/recordwriter.h"
#include "tests/support/dialogframe.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

using namespace qel;

namespace {

const QDateTime kPractised(QDate(2000, 1, 23), QTime(14, 5, 9));

// Passed STEP 4, three runs at 100, 110, 120 SPM, 1 h 2 min 5 s in all.
samples::RecordContent practisedCourse()
{
    samples::RecordContent content;
    content.currentStep = 5;
    content.totalSeconds = 3725;
    content.runs = {{100, 250}, {110, 200}, {120, 150}};
    return content;
}

// A file the trainer made but no run yet: its stored time is not shown.
samples::RecordContent unpractisedCourse()
{
    samples::RecordContent content;
    content.currentStep = 1;
    content.totalSeconds = 3600;
    return content;
}

const QStringList kPractisedTexts = {"4", "3", "01:02:05", "10.00", "120", "2000/01/23 14:05:09"};
const QStringList kUnpractisedTexts = {"0", "0", "00:00:00", "0.00", "0", "未練習"};
const QString kNone = QStringLiteral("個別設定なし");

bool writeRecord(const QString &folder, const QString &name, Course course,
                 const samples::RecordContent &content)
{
    return samples::writeFile(recordFolderPath(folder, recordFileName(name, course)),
                              samples::recordBytes(content), kPractised);
}

bool writeSettings(const QString &folder, const QString &name, const QString &contents)
{
    QFile file(QDir(folder).filePath(name + ".ini"));
    return file.open(QIODevice::WriteOnly) && file.write(toCp932(contents)) > 0;
}

int twips(int value, int dpi)
{
    return qRound(value * dpi / 1440.0);
}

// Where the label's text actually lands inside it, with a pixel to spare on either side
// so that texts that touch count as overlapping.
QRect textRect(const QWidget *widget)
{
    if (auto *button = qobject_cast<const QPushButton *>(widget))
        return button->geometry().adjusted(-1, 0, 1, 0);
    auto *label = qobject_cast<const QLabel *>(widget);
    const QFontMetrics metrics = label->fontMetrics();
    const QSize size(metrics.horizontalAdvance(label->text()), metrics.height());
    QRect area = label->geometry();
    if (label->indent() > 0 && (label->alignment() & Qt::AlignLeft))
        area.adjust(label->indent(), 0, 0, 0);
    return QStyle::alignedRect(Qt::LeftToRight, label->alignment(), size, area).adjusted(-1, 0, 1, 0);
}

void saveShot(QWidget &widget, const QString &fileName)
{
    const QString dir = qEnvironmentVariable("QEL_SHOT_DIR");
    if (!dir.isEmpty())
        widget.grab().save(QDir(dir).filePath(fileName));
}

} // namespace

class tst_Propaty : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        draw::installFontSubstitutes();
    }
    void captionsAndTitle();
    void oneCourse_data();
    void oneCourse();
    void noSettingsFile();
    void unreadableFilesLeaveTheirTextsEmpty();
    void greyedCaptions_data();
    void greyedCaptions();
    void layoutPositions_data();
    void layoutPositions();
    void nothingClippedOrOverlapping_data();
    void nothingClippedOrOverlapping();
    void printCallsBackAndCloses();
    void printWithoutCallbackCloses();
    void okCloses();

private:
    QString freshFolder()
    {
        const QString path = m_root.filePath(QString::number(++m_folders));
        QDir().mkpath(path);
        return path;
    }
    static QString labelText(const QDialog &dialog, const QString &objectName)
    {
        const auto *label = dialog.findChild<QLabel *>(objectName);
        return label ? label->text() : QStringLiteral("<no label %1>").arg(objectName);
    }

    QTemporaryDir m_root;
    int m_folders = 0;
};

void tst_Propaty::captionsAndTitle()
{
    const QString folder = freshFolder();
    QVERIFY(writeRecord(folder, "Aoki", English, practisedCourse()));
    frmPropaty dialog(readSummary(folder, "Aoki"), "Aoki", QIcon());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("個人のプロパティ"));
    QVERIFY(qeltest::hasDialogFrame(dialog));

    QStringList shown;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        shown << label->text();
    const QStringList captions = {"利用者", "英文練習", "かな／ローマ練習", "合格済ステップ", "練習回数",
                                  "総練習時間", "上達度", "最高SPM", "最終練習日", "テキスト",
                                  "変換モード", "スピードガイド", "キーボード", "ミスタイプ", "漢字",
                                  "読み仮名", "カーソル", "経過時間"};
    for (const QString &caption : captions)
        QVERIFY2(shown.count(caption) == 1, qPrintable(caption));

    const auto *print = dialog.findChild<QPushButton *>("cmdPrint");
    const auto *ok = dialog.findChild<QPushButton *>("cmdOK");
    QVERIFY(print && ok);
    QCOMPARE(print->text(), QStringLiteral("印刷"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(labelText(dialog, "lblName"), QStringLiteral("Aoki"));
}

void tst_Propaty::oneCourse_data()
{
    QTest::addColumn<int>("practised");
    QTest::addColumn<bool>("otherFileExists");
    QTest::newRow("English only, no Kana file") << int(English) << false;
    QTest::newRow("English, Kana file without runs") << int(English) << true;
    QTest::newRow("Kana only, no English file") << int(Kana) << false;
    QTest::newRow("Kana, English file without runs") << int(Kana) << true;
}

void tst_Propaty::oneCourse()
{
    QFETCH(int, practised);
    QFETCH(bool, otherFileExists);
    const QString folder = freshFolder();
    const Course other = practised == English ? Kana : English;
    QVERIFY(writeRecord(folder, "Baba", Course(practised), practisedCourse()));
    if (otherFileExists)
        QVERIFY(writeRecord(folder, "Baba", other, unpractisedCourse()));

    frmPropaty dialog(readSummary(folder, "Baba"), "Baba", QIcon());
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(labelText(dialog, QStringLiteral("lblFigure_%1_%2").arg(practised).arg(row)),
                 kPractisedTexts[row]);
        QCOMPARE(labelText(dialog, QStringLiteral("lblFigure_%1_%2").arg(int(other)).arg(row)),
                 kUnpractisedTexts[row]);
    }
    // Opening the dialog never creates the missing file.
    QCOMPARE(QFileInfo::exists(recordFolderPath(folder, recordFileName("Baba", other))), otherFileExists);
}

void tst_Propaty::noSettingsFile()
{
    const QString folder = freshFolder();
    QVERIFY(writeRecord(folder, "Chiba", English, practisedCourse()));
    frmPropaty dialog(readSummary(folder, "Chiba"), "Chiba", QIcon());
    for (int i = 0; i < 10; ++i)
        QCOMPARE(labelText(dialog, QStringLiteral("lblSetting_%1").arg(i)), kNone);
    QVERIFY(dialog.findChild<QLabel *>("lblMistypeCaption")->isEnabled());
    QVERIFY(dialog.findChild<QLabel *>("lblReadingCaption")->isEnabled());
}

// A Course file or settings file that is there but cannot be read (here a folder by that
// name) is not "never practised" nor "no individual setting": its texts stay empty.
void tst_Propaty::unreadableFilesLeaveTheirTextsEmpty()
{
    const QString folder = freshFolder();
    QVERIFY(writeRecord(folder, "Doi", English, practisedCourse()));
    QVERIFY(QDir(folder).mkdir(recordFileName("Doi", Kana)));
    QVERIFY(QDir(folder).mkdir("Doi.ini"));
    frmPropaty dialog(readSummary(folder, "Doi"), "Doi", QIcon());
    for (int row = 0; row < 6; ++row) {
        QCOMPARE(labelText(dialog, QStringLiteral("lblFigure_0_%1").arg(row)), kPractisedTexts[row]);
        QCOMPARE(labelText(dialog, QStringLiteral("lblFigure_1_%1").arg(row)), QString());
    }
    for (int i = 0; i < 10; ++i)
        QCOMPARE(labelText(dialog, QStringLiteral("lblSetting_%1").arg(i)), QString());
}

void tst_Propaty::greyedCaptions_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("keyboard");
    QTest::addColumn<QString>("mistype");
    QTest::addColumn<bool>("mistypeEnabled");
    QTest::addColumn<QString>("kanji");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<bool>("readingEnabled");

    QTest::newRow("keyboard hidden")
        << "[OPTION]\r\nKeyboard=0\r\nMissTypeKey=1\r\n"
        << "非表示" << "－" << false << kNone << kNone << true;
    QTest::newRow("keyboard shown, mistype hidden")
        << "[OPTION]\r\nKeyboard=1\r\nMissTypeKey=0\r\n"
        << "表示" << "非表示" << true << kNone << kNone << true;
    QTest::newRow("kanji hidden")
        << "[OPTION]\r\nShowKanji=10\r\n"
        << kNone << kNone << true << "非表示" << "－" << false;
    QTest::newRow("kanji and reading shown")
        << "[OPTION]\r\nShowKanji=11\r\nKeyboard=1\r\nMissTypeKey=1\r\n"
        << "表示" << "表示" << true << "表示" << "表示" << true;
    QTest::newRow("both hidden")
        << "[OPTION]\r\nShowKanji=0\r\nKeyboard=0\r\n"
        << "非表示" << "－" << false << "非表示" << "－" << false;
}

void tst_Propaty::greyedCaptions()
{
    QFETCH(QString, ini);
    QFETCH(QString, keyboard);
    QFETCH(QString, mistype);
    QFETCH(bool, mistypeEnabled);
    QFETCH(QString, kanji);
    QFETCH(QString, reading);
    QFETCH(bool, readingEnabled);

    const QString folder = freshFolder();
    QVERIFY(writeRecord(folder, "Doi", Kana, practisedCourse()));
    QVERIFY(writeSettings(folder, "Doi", ini));
    frmPropaty dialog(readSummary(folder, "Doi"), "Doi", QIcon());
    saveShot(dialog, QStringLiteral("propaty-%1.png").arg(QTest::currentDataTag()).replace(' ', '-'));
    QCOMPARE(labelText(dialog, QStringLiteral("lblSetting_%1").arg(KeyboardSetting)), keyboard);
    QCOMPARE(labelText(dialog, QStringLiteral("lblSetting_%1").arg(MistypeSetting)), mistype);
    QCOMPARE(labelText(dialog, QStringLiteral("lblSetting_%1").arg(KanjiSetting)), kanji);
    QCOMPARE(labelText(dialog, QStringLiteral("lblSetting_%1").arg(ReadingSetting)), reading);
    QCOMPARE(dialog.findChild<QLabel *>("lblMistypeCaption")->isEnabled(), mistypeEnabled);
    QCOMPARE(dialog.findChild<QLabel *>("lblReadingCaption")->isEnabled(), readingEnabled);
    // Only the captions grey out; the values stay readable.
    QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("lblSetting_%1").arg(MistypeSetting))->isEnabled());
}

void tst_Propaty::layoutPositions_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");  // -1: not fixed
    QTest::addColumn<int>("height"); // -1: not fixed

    QTest::newRow("name") << "lblName" << 1500 << 120 << -1 << -1;
    QTest::newRow("English header") << "lblHeader_0" << 2280 << 450 << -1 << -1;
    QTest::newRow("Kana header") << "lblHeader_1" << 4500 << 450 << -1 << -1;
    const int figureTops[6] = {780, 1140, 1500, 1860, 2220, 2580};
    for (int row = 0; row < 6; ++row) {
        QTest::addRow("English figure %d", row) << QStringLiteral("lblFigure_0_%1").arg(row) << 1500
                                                << figureTops[row] << -1 << -1;
        QTest::addRow("Kana figure %d", row) << QStringLiteral("lblFigure_1_%1").arg(row) << 4080
                                             << figureTops[row] << -1 << -1;
    }
    QTest::newRow("English text") << "lblSetting_0" << 1500 << 2940 << -1 << -1;
    QTest::newRow("Kana text") << "lblSetting_1" << 4080 << 2940 << -1 << -1;
    QTest::newRow("conversion mode") << "lblSetting_2" << 4080 << 3300 << -1 << -1;
    QTest::newRow("speed guide") << "lblSetting_3" << 1500 << 3660 << 4635 << -1;
    QTest::newRow("keyboard") << "lblSetting_4" << 1500 << 4020 << -1 << -1;
    QTest::newRow("mistype caption") << "lblMistypeCaption" << 3720 << 4020 << -1 << -1;
    QTest::newRow("mistype") << "lblSetting_5" << 4620 << 4020 << -1 << -1;
    QTest::newRow("kanji") << "lblSetting_6" << 1500 << 4380 << -1 << -1;
    QTest::newRow("reading caption") << "lblReadingCaption" << 3720 << 4380 << -1 << -1;
    QTest::newRow("reading") << "lblSetting_7" << 4620 << 4380 << -1 << -1;
    QTest::newRow("cursor") << "lblSetting_8" << 1500 << 4740 << -1 << -1;
    QTest::newRow("elapsed time") << "lblSetting_9" << 1500 << 5100 << -1 << -1;
    QTest::newRow("print") << "cmdPrint" << 3900 << 4920 << 1275 << 435;
    QTest::newRow("OK") << "cmdOK" << 5220 << 4920 << 1275 << 435;
}

void tst_Propaty::layoutPositions()
{
    QFETCH(QString, objectName);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);

    const QString folder = freshFolder();
    QVERIFY(writeRecord(folder, "Endo", English, practisedCourse()));
    frmPropaty dialog(readSummary(folder, "Endo"), "Endo", QIcon());
    const auto *widget = dialog.findChild<QWidget *>(objectName);
    QVERIFY(widget);
    const int dpiX = dialog.logicalDpiX();
    const int dpiY = dialog.logicalDpiY();
    QCOMPARE(widget->x(), twips(left, dpiX));
    QCOMPARE(widget->y(), twips(top, dpiY));
    if (width >= 0)
        QCOMPARE(widget->width(), twips(width, dpiX));
    if (height >= 0)
        QCOMPARE(widget->height(), twips(height, dpiY));
}

void tst_Propaty::nothingClippedOrOverlapping_data()
{
    QTest::addColumn<QString>("ini");
    QTest::newRow("no settings file") << QString();
    // The longest texts each setting can show; a 26-character name in each Course.
    QTest::newRow("long texts")
        << "[TEXT]\r\nEnglishText=Alice in Wonderland Ch.1-3\r\n"
           "KanaText=吾輩は猫である名前はまだ無い\r\n"
           "[OPTION]\r\nRomeMode=10\r\nSpeedGide=1\r\nSpeedGideType=2\r\n"
           "Keyboard=1\r\nMissTypeKey=3\r\nShowKanji=21\r\nShowCursor=5\r\nTimedisp=7\r\n";
    QTest::newRow("constant speed")
        << "[TEXT]\r\nEnglishText=あいうえおかきくけこさしすせそたちつてと\r\n"
           "[OPTION]\r\nRomeMode=0\r\nSpeedGide=1\r\nSpeedGideType=3\r\nConstSpeed=12\r\n";
}

void tst_Propaty::nothingClippedOrOverlapping()
{
    QFETCH(QString, ini);
    const QString folder = freshFolder();
    const QString name = QStringLiteral("長谷川 あずさ");
    QVERIFY(writeRecord(folder, name, English, practisedCourse()));
    samples::RecordContent kana = practisedCourse();
    kana.totalSeconds = 360000; // a hundred hours
    QVERIFY(writeRecord(folder, name, Kana, kana));
    if (!ini.isEmpty())
        QVERIFY(writeSettings(folder, name, ini));

    frmPropaty dialog(readSummary(folder, name), name, QIcon());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    saveShot(dialog, QStringLiteral("propaty-%1.png").arg(QTest::currentDataTag()).replace(' ', '-'));

    QList<QWidget *> shown;
    for (QWidget *widget : dialog.findChildren<QWidget *>()) {
        auto *label = qobject_cast<QLabel *>(widget);
        if (!label && !qobject_cast<QPushButton *>(widget))
            continue;
        if (label && label->text().isEmpty())
            continue;
        const QString what = widget->objectName();
        QVERIFY2(dialog.rect().contains(widget->geometry()), qPrintable(what + " leaves the dialog"));
        if (label) {
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(what + " is cut: " + label->text()));
            QVERIFY2(label->fontMetrics().height() <= label->height(), qPrintable(what + " is cut vertically"));
        }
        shown << widget;
    }
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j)
            QVERIFY2(!textRect(shown[i]).intersects(textRect(shown[j])),
                     qPrintable(shown[i]->objectName() + " overlaps " + shown[j]->objectName()));
}

void tst_Propaty::printCallsBackAndCloses()
{
    const QString folder = freshFolder();
    QVERIFY(writeRecord(folder, "Fujii", English, practisedCourse()));
    QStringList printed;
    bool openWhilePrinting = false;
    frmPropaty *dialogPointer = nullptr;
    frmPropaty dialog(readSummary(folder, "Fujii"), "Fujii", QIcon(), [&](const QString &name) {
        printed << name;
        openWhilePrinting = dialogPointer->isVisible();
    });
    dialogPointer = &dialog;
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>("cmdPrint"), Qt::LeftButton);
    QCOMPARE(printed, QStringList{"Fujii"});
    QVERIFY(openWhilePrinting);
    QVERIFY(!dialog.isVisible());
}

void tst_Propaty::printWithoutCallbackCloses()
{
    const QString folder = freshFolder();
    QVERIFY(writeRecord(folder, "Goto", English, practisedCourse()));
    frmPropaty dialog(readSummary(folder, "Goto"), "Goto", QIcon());
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>("cmdPrint"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void tst_Propaty::okCloses()
{
    const QString folder = freshFolder();
    QVERIFY(writeRecord(folder, "Hara", English, practisedCourse()));
    int printed = 0;
    frmPropaty dialog(readSummary(folder, "Hara"), "Hara", QIcon(), [&](const QString &) { ++printed; });
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(printed, 0);
}

QTEST_MAIN(tst_Propaty)
#include "test_propaty.moc"
