// Every test binary runs in a folder of its own under the temporary folder: these tell where
// it is and remove folders only inside it.
#pragma once
#include <QString>

namespace PrivateEnv {
// The binary's own temporary folder: home, data folders and working directory ("run") lie in it.
QString root();
// Removes path (relative to the working directory or absolute) with everything in it, but
// only when it lies inside root(); false when it lies elsewhere or cannot be removed.
bool removeFolder(const QString &path);
} // namespace PrivateEnv
