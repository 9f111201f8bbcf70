#include "app/user_guide.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace cpt::app {

QString userGuideFile(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const char* candidate : {"../share/doc/cpt/guide.html", "../../docs/guide/guide.html"}) {
        const QFileInfo guide(folder.filePath(candidate));
        if (guide.isFile()) return QDir::cleanPath(guide.absoluteFilePath());
    }
    return {};
}

void openUserGuide(QWidget* parent) {
    const QString guide = userGuideFile(QCoreApplication::applicationDirPath());
    if (guide.isEmpty()) {
        QMessageBox::information(parent, QObject::tr("User guide"),
                                 QObject::tr("The user guide is not installed with this program "
                                             "(it is share/doc/cpt/guide.html of an installed one)."));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(guide))) {
        QMessageBox::information(parent, QObject::tr("User guide"),
                                 QObject::tr("No web browser could open the user guide. It is here:\n%1").arg(guide));
    }
}

}  // namespace cpt::app
