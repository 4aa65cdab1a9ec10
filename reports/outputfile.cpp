#include "reports/outputfile.h"

#include "records/learnertable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

namespace qel::reports {

namespace {
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(OutputFile)
};
} // namespace

bool saveWhole(const QString &path, const std::function<bool(QIODevice &)> &write, QString *error)
{
    QSaveFile file(path);
    const auto failed = [&] {
        const QString reason = file.errorString();
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, reason);
        return false;
    };
    // Unbuffered: a buffered device meets a full disk only at its last flush, which the
    // commit does not check, and would put the cut file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed();
    if (!write(file) || file.error() != QFileDevice::NoError)
        return failed();
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

namespace {
bool isTrainerFileName(const QString &name)
{
    return matchesRecordPattern(name) || name.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive);
}

// Where writing `target` lands: the end of its links, or, for a file still to be made,
// its name in the real folder.
QFileInfo landing(const QString &target)
{
    const QFileInfo info(target);
    if (info.exists())
        return QFileInfo(info.canonicalFilePath());
    if (info.isSymLink())
        return QFileInfo(info.symLinkTarget());
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info : QFileInfo(folder + QLatin1Char('/') + info.fileName());
}
} // namespace

bool isTrainerFile(const QString &folder, const QString &target)
{
    if (folder.isEmpty() || target.isEmpty())
        return false;
    const QString home = QFileInfo(folder).canonicalFilePath();
    if (home.isEmpty())
        return false;
    const QFileInfo named(target);
    const QFileInfo landed = landing(target);
    for (const QFileInfo &file : {named, landed}) {
        const QString dir = QFileInfo(file.absolutePath()).canonicalFilePath();
        if (!dir.isEmpty() && QFileInfo(dir) == QFileInfo(home) && isTrainerFileName(file.fileName()))
            return true;
    }
    return false;
}

QString trainerFileRefusal(const QString &target)
{
    return Tr::tr("「%1」は練習記録フォルダーの練習記録ファイルか設定ファイルです。"
                          "上書きできませんので、別の名前を指定して下さい。")
        .arg(target);
}

} // namespace qel::reports
