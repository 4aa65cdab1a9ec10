#pragma once
// Output files (CSV, PNG, PDF) that never destroy data: written whole or not at all, and
// never over one of the trainer's files.

#include <QString>
#include <functional>

class QIODevice;

namespace qel::reports {

// Writes `path` through a temporary file beside it, replacing the file only once `write`
// has returned true and every byte has reached the disk: a full disk or a failed write
// leaves an existing file as it was and no partial one. `write` gets an unbuffered device,
// so a short write shows in its count. False with `error` naming the file and the reason.
bool saveWhole(const QString &path, const std::function<bool(QIODevice &)> &write, QString *error = nullptr);

// Whether `target`, as named or where its links lead, is a record file ("*_Qel?.dat") or a
// settings file ("*.ini") of the record folder: no output may go there.
bool isTrainerFile(const QString &folder, const QString &target);
// The message refusing such a target.
QString trainerFileRefusal(const QString &target);

} // namespace qel::reports
