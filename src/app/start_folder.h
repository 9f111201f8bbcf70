#pragma once
#include <QString>

namespace cpt::app {

// The folder the first open-file dialogue starts in: the working folder when
// it holds a .txt file; otherwise, for a program run from an installed place
// (its folder's ../share/cpt/examples exists), the installed examples, so
// that a first start from a menu finds something to open.
QString firstDialogFolder(const QString& workingFolder, const QString& programFolder);

}  // namespace cpt::app
