#include "base/runtimefolder.h"

#include <QFile>
#include <QtGlobal>

namespace qel {

std::unique_ptr<QTemporaryDir> provideRuntimeFolder()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return nullptr;
    // QTemporaryDir makes the folder readable by its owner only, as a runtime folder must be.
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid())
        return nullptr; // Qt falls back to its own default and says so
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder->path()));
    return folder;
#else
    return nullptr;
#endif
}

} // namespace qel
