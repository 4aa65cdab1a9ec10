#pragma once
// Qt's GUI start-up looks for the session's runtime folder (XDG_RUNTIME_DIR) and complains on
// standard error when there is none, as under cron, ssh or a CI job. Called before the
// application object is made, this gives such a program a private runtime folder of its own,
// removed when the returned object goes; with a session folder it does nothing.

#include <QTemporaryDir>
#include <memory>

namespace qel {

std::unique_ptr<QTemporaryDir> provideRuntimeFolder();

} // namespace qel
