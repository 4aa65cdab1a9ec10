// The viewer's entry: command line, hourglass, splash, main window.

#include "base/painting.h"
#include "base/runtimefolder.h"
#include "config/language.h"
#include "dialogs/frmSplash.h"
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <cstdio>

namespace {

constexpr int kStartError = 2;

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Shows the practice records of the Qel typing trainer."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The record folder to open; without it, the one shown last."),
                                 QStringLiteral("[FOLDER]"));
}

// Help and version are printed before any display is opened, so they work without one.
bool onlyPrints(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--")
            return false;
        if (a == "-h" || a == "--help" || a == "-?" || a == "--help-all" || a == "-v" || a == "--version")
            return true;
    }
    return false;
}

int startError(const QString &message)
{
    std::fprintf(stderr, "qelviewer: %s\n", qUtf8Printable(message));
    return kStartError;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("QelSoft"));
    QCoreApplication::setApplicationName(QStringLiteral("QelViewer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QEL_VERSION));
    QCommandLineParser parser;
    describe(parser);
    if (onlyPrints(argc, argv)) {
        QCoreApplication app(argc, argv);
        parser.process(app); // prints and ends the program
        return 0;
    }

    const auto runtimeFolder = qel::provideRuntimeFolder();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("example.qelsoft.QelViewer"));
    if (!parser.parse(QCoreApplication::arguments()))
        return startError(parser.errorText());
    const QStringList named = parser.positionalArguments();
    if (named.size() > 1)
        return startError(QStringLiteral("one FOLDER at most, not also %1").arg(named[1]));
    QString startFolder;
    if (!named.isEmpty()) {
        const QFileInfo info(named.first());
        if (!info.exists())
            return startError(QStringLiteral("folder not found: %1").arg(named.first()));
        if (!info.isDir())
            return startError(QStringLiteral("not a folder: %1").arg(named.first()));
        // Remembered at close, so it must still mean the same folder from anywhere else.
        startFolder = QDir(named.first()).absolutePath();
    }

    qel::installLanguage(qel::startLanguage());
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

    qel::frmMain window;
    window.setSplash(splash);
    // The window shows itself with the folder read (or once the read has taken too long);
    // meanwhile the splash's bar follows the read.
    QObject::connect(&window, &qel::frmMain::readyToShow, &window, [&window] {
        if (window.isVisible())
            return;
        window.show();
        window.activateWindow();
        QApplication::restoreOverrideCursor();
    });
    if (!window.Form_Load(startFolder)) {
        QApplication::restoreOverrideCursor();
        return 1;
    }
    return app.exec();
}
