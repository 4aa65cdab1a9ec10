#pragma once
// Observations and batches made by hand, and what a database file holds.

#include "history/journalstore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QUuid>
#include <initializer_list>

namespace qeltest {

inline qel::history::Observation observation(const QString &key, int runs, int seconds, int step, int best,
                                             qint64 seen, std::initializer_list<qel::RunSample> newest = {})
{
    qel::history::Observation o;
    o.key = key;
    o.runCount = runs;
    o.totalSeconds = seconds;
    o.passedStep = step;
    o.bestSpm = best;
    o.seen = seen;
    for (const qel::RunSample &run : newest)
        o.recent.samples[std::size_t(o.recent.count++)] = run;
    o.recent.lastRun = newest.size() ? runs : 0;
    return o;
}

inline qel::history::Batch batch(const QString &folder, qint64 seen,
                                 std::vector<qel::history::Observation> files = {}, int group = qel::AllGroup)
{
    return {folder, group, seen, std::move(files)};
}

// Rows of a table, counted on a connection of the test's own.
inline int countRows(const QString &databasePath, const QString &table)
{
    const QString name = QUuid::createUuid().toString();
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT count(*) FROM ") + table) && q.next())
                count = q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return count;
}

constexpr qint64 kMinute = 60 * 1000;
constexpr qint64 kHour = 60 * kMinute;
constexpr qint64 kDay = 24 * kHour;

} // namespace qeltest
