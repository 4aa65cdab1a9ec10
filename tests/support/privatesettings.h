#pragma once
// A settings store of the test's own in a temporary folder, so that no test reads or
// changes the user's: the trainer's "RecDir" and the viewer's values under "Env".

#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>

namespace qeltest {

class PrivateSettings {
public:
    PrivateSettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    }
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
};

} // namespace qeltest
