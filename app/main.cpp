// The viewer's entry: hourglass, splash, main window.

#include "base/painting.h"
#include "dialogs/frmSplash.h"
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QelSoft"));
    QApplication::setApplicationName(QStringLiteral("QelViewer"));
    // The viewer speaks Japanese whatever the system's language, Qt's own dialogs too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    qel::draw::installFontSubstitutes();
    QFont uiFont(qel::draw::kPGothic);
    uiFont.setPointSizeF(9);
    QApplication::setFont(uiFont);

    QApplication::setOverrideCursor(Qt::WaitCursor);

    auto *splash = new qel::frmSplash;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        splash->move(area.center() - splash->rect().center());
    }
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();

    qel::frmMain window;
    window.setSplash(splash);
    if (!window.Form_Load()) {
        QApplication::restoreOverrideCursor();
        return 1;
    }
    window.show();
    window.activateWindow();
    QApplication::restoreOverrideCursor();
    return app.exec();
}
