#pragma once
// What the viewer keeps per record folder: the targets of the class board and the numbers
// that stand for the learners' names while the window hides them. Each folder has a key of
// its own below the viewer's, named by a digest of the folder's path (a path holds
// separators and characters no key name may), with the path itself beside the values.

#include "config/registrystore.h"
#include "records/attention.h"

#include <QString>
#include <QStringList>

namespace qel {

// "Software\QelSoft\QelViewer\Folders\<digest>"; the same key for the same folder written
// with or without a final separator, or with "." and ".." in it.
RegistryKey folderKey(const QString &folder);

// The folder's targets; each value that is missing or out of range is its default.
ClassTargets loadTargets(const QString &folder);
StoreStatus saveTargets(const QString &folder, const ClassTargets &targets);

// The learners' names in the order of their numbers (the first is "学習者 1").
QStringList loadNameNumbers(const QString &folder);
StoreStatus saveNameNumbers(const QString &folder, const QStringList &names);

} // namespace qel
