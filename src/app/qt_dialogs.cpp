#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace cpt::app {
namespace {
QString toQt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
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
    bool accepted = false;
    QString text = QInputDialog::getText(parent_, toQt(title), toQt(prompt), QLineEdit::Normal, toQt(defaultText),
                                         &accepted);
    if (!accepted) return std::nullopt;
    return text.toStdString();
}

std::optional<std::string> QtDialogs::openFile(std::string_view title) {
    QString path = QFileDialog::getOpenFileName(parent_, toQt(title), lastFolder_);
    if (path.isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::vector<std::string> QtDialogs::openFiles(std::string_view title) {
    // The list comes in the order the files were picked.
    const QStringList paths = QFileDialog::getOpenFileNames(parent_, toQt(title), lastFolder_);
    std::vector<std::string> chosen;
    for (const QString& path : paths) chosen.push_back(path.toStdString());
    if (!paths.isEmpty()) lastFolder_ = QFileInfo(paths.back()).absolutePath();
    return chosen;
}

void QtDialogs::beep() { QApplication::beep(); }

}  // namespace cpt::app
