// The history as a git repository: one folder per machine holding its latest dump, its values
// as text and the snapshot's side file, one commit per snapshot in time order, dated when the
// snapshot was taken. A marker file in the repository lists what is exported already.
#pragma once
#include <QString>

namespace Cli {

// Exports the snapshots not yet in the repository dir (made on first use); the exit code,
// after an error line when it is not Ok. A folder that is neither empty nor such a repository
// is refused before anything is written.
int exportGit(const QString &dir);

} // namespace Cli
