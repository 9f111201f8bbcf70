#include <QApplication>
#include <QDir>
#include <cstring>

#include "app/desktop_application.h"
#include "app/qt_dialogs.h"
#include "app/main_window_widget.h"
#include "app/start_folder.h"
#include "core/common/file_size_signal.h"

int main(int argc, char** argv) {
    cpt::ignoreFileSizeSignal();
    QApplication application(argc, argv);
    bool maintainerMode = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--maintainer") == 0) maintainerMode = true;
    }
    cpt::app::QtDialogs dialogs;
    dialogs.setStartFolder(cpt::app::firstDialogFolder(QDir::currentPath(), QCoreApplication::applicationDirPath()));
    cpt::SystemClock clock;
    cpt::app::DesktopApplication desktop(dialogs, clock, maintainerMode);
    dialogs.setParent(&desktop.mainWindow());
    return application.exec();
}
