#pragma once
// A settings store of the test's own in a temporary folder, so that no test reads or
// changes the user's: the trainer's "RecDir" and the viewer's values under "Env"; and a
// practice history of its own there, for the test and the programs it starts.

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>

namespace qeltest {

class PrivateSettings {
public:
    PrivateSettings() : m_history(qgetenv("QEL_HISTORY_DB")), m_hadHistory(qEnvironmentVariableIsSet("QEL_HISTORY_DB"))
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        qputenv("QEL_HISTORY_DB", QFile::encodeName(dir.filePath(QStringLiteral("history.db"))));
    }
    ~PrivateSettings()
    {
        if (m_hadHistory)
            qputenv("QEL_HISTORY_DB", m_history);
        else
            qunsetenv("QEL_HISTORY_DB");
    }
    PrivateSettings(const PrivateSettings &) = delete;
    PrivateSettings &operator=(const PrivateSettings &) = delete;
    void setRecDir(const QString &recDir)
    {
        QSettings trainer(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QelSoft"),
                          QStringLiteral("Qel"));
        trainer.setValue(QStringLiteral("Env/RecDir"), recDir);
        trainer.sync();
    }
    QVariant viewerValue(const QString &name) const
    {
        QSettings viewer(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QelSoft"),
                         QStringLiteral("QelViewer"));
        return viewer.value(QStringLiteral("Env/") + name);
    }
    void setViewerValue(const QString &name, const QVariant &value)
    {
        QSettings viewer(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QelSoft"),
                         QStringLiteral("QelViewer"));
        viewer.setValue(QStringLiteral("Env/") + name, value);
        viewer.sync();
    }
    QTemporaryDir dir;

private:
    QByteArray m_history;
    bool m_hadHistory = false;
};

} // namespace qeltest
