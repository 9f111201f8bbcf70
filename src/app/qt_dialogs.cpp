#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

#include "xlsx/read_treatments.h"

namespace cpt::app {
namespace {
QString toQt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Wide enough for the whole title in the frame (a title bar elides a long
// one), within the screen.
int widthForTitle(const QWidget& box, const QString& title) {
    const int screen = QGuiApplication::primaryScreen()->availableGeometry().width();
    return std::min(box.fontMetrics().horizontalAdvance(title) + 160, screen - 40);
}
// Text files first, all files on request.
QStringList textFileFilters() { return {QObject::tr("Text files (*.txt)"), QObject::tr("All files (*)")}; }
}  // namespace

// Qt's own dialogue, so that its size and columns can be set: large enough,
// the name column taking the room.
void prepareFileDialog(QFileDialog& dialog, const QStringList& filters) {
    dialog.setNameFilters(filters);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    dialog.resize(std::min(960, screen.width() - 40), std::min(600, screen.height() - 60));
    if (auto* list = dialog.findChild<QTreeView*>("treeView")) {
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < list->header()->count(); ++column) {
            list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
    }
}

QStringList treatmentFilePatterns() {
    QStringList patterns;
    for (const std::string& pattern : treatmentFormats().patterns()) patterns << QString::fromStdString(pattern);
    return patterns;
}

QStringList treatmentFileFilters() {
    return QStringList{QObject::tr("Bootstrap files and tables (%1)").arg(treatmentFilePatterns().join(' '))} +
           textFileFilters();
}

namespace {
}  // namespace

int QtDialogs::messageBox(std::string_view prompt, ButtonSet buttons, std::string_view title) {
    QMessageBox box(parent_);
    box.setWindowTitle(toQt(title));
    box.setText(toQt(prompt));
    switch (buttons) {
        case ButtonSet::OkOnly: box.setStandardButtons(QMessageBox::Ok); break;
        case ButtonSet::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case ButtonSet::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case ButtonSet::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);  // closing the box answers Cancel
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return AnswerYes;
        case QMessageBox::No: return AnswerNo;
        case QMessageBox::Ok: return AnswerOk;
        default: return AnswerCancel;
    }
}

std::optional<std::string> QtDialogs::inputBox(std::string_view prompt, std::string_view title,
                                               std::string_view defaultText) {
    QInputDialog box(parent_);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(toQt(title));
    box.setLabelText(toQt(prompt));
    box.setTextValue(toQt(defaultText));
    // The dialogue's layout sets its least size from its parts: widen the field.
    if (auto* field = box.findChild<QLineEdit*>()) field->setMinimumWidth(widthForTitle(box, toQt(title)) - 40);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue().toStdString();
}

std::optional<std::string> QtDialogs::openFile(std::string_view title) {
    QFileDialog dialog(parent_, toQt(title), lastFolder_);
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog, textFileFilters());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().front();
    if (path.isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::vector<std::string> QtDialogs::openFiles(std::string_view title) {
    // The list comes in the order the files were picked. Only the treatment
    // files are chosen several at once, and they may be tables as well.
    QFileDialog dialog(parent_, toQt(title), lastFolder_);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    prepareFileDialog(dialog, treatmentFileFilters());
    const QStringList paths = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
    std::vector<std::string> chosen;
    for (const QString& path : paths) chosen.push_back(path.toStdString());
    if (!paths.isEmpty()) lastFolder_ = QFileInfo(paths.back()).absolutePath();
    return chosen;
}

void QtDialogs::beep() { QApplication::beep(); }

}  // namespace cpt::app
