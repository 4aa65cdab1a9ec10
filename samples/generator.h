#pragma once
// A believable RecordFolder: about forty learners with record files for one or both
// Courses and some settings files, the same bytes and dates for the same seed.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace qel::samples {

struct SampleFile {
    QString learner;
    QString name; // file name inside the folder
    QByteArray bytes;
    QDateTime modified; // the learner's last practice (local time)
};

// The files of the folder for `seed`, learner by learner.
std::vector<SampleFile> sampleFiles(quint32 seed);
// Every file name the generator may write, whatever the seed.
QStringList sampleFileNames();

struct GenerateResult {
    bool ok = false;
    QString error;
    int files = 0;
    int learners = 0;
};

// Writes the files into `folder`, creating it when missing. Refuses a folder that holds
// anything else, or sample files this seed would not rewrite, so that a real record
// folder is never touched and no stale learner stays behind. Never deletes a file.
GenerateResult generateFolder(const QString &folder, quint32 seed);

} // namespace qel::samples
