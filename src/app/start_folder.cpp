#include "app/start_folder.h"

#include <QDir>
#include <QFileInfo>

namespace cpt::app {

QString firstDialogFolder(const QString& workingFolder, const QString& programFolder) {
    const QDir working(workingFolder);
    if (!working.entryList({"*.txt"}, QDir::Files).isEmpty()) return workingFolder;
    const QFileInfo examples(QDir(programFolder).filePath("../share/cpt/examples"));
    if (examples.isDir()) return QDir::cleanPath(examples.absoluteFilePath());
    return workingFolder;
}

}  // namespace cpt::app
