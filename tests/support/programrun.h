#pragma once
// Runs a program to its end and keeps what it wrote.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace qeltest {

struct ProgramRun {
    int exitCode = -1; // -1 when it did not start or did not exit normally
    QByteArray out;
    QByteArray err;

    QString outText() const { return QString::fromUtf8(out); }
    QString errText() const { return QString::fromUtf8(err); }
};

// `environment` ("NAME=value") goes over this process's: a run of qelviewer-cli whose output
// is checked names its language, QEL_LANGUAGE=ja or en.
inline ProgramRun runProgram(const QString &program, const QStringList &args, const QStringList &environment = {})
{
    QProcess process;
    if (!environment.isEmpty()) {
        QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
        for (const QString &entry : environment)
            all.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        process.setProcessEnvironment(all);
    }
    process.start(program, args);
    ProgramRun run;
    if (!process.waitForFinished(-1))
        return run;
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace qeltest
