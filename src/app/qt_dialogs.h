#pragma once
#include <QFileDialog>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "desktop_model/common/dialogs.h"

namespace cpt::app {

// Qt's own file dialogue with these filters, sized to the screen.
void prepareFileDialog(QFileDialog& dialog, const QStringList& filters);
// "*.txt", "*.csv", ...: every format of the list of input formats.
QStringList treatmentFilePatterns();
// What a dialogue for treatment files offers: every format of the list
// first, then text files, then all files.
QStringList treatmentFileFilters();

// The real modal boxes and the open-file dialogue.
class QtDialogs : public Dialogs {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    // Where the first open-file dialogue starts; later ones start where the last file was.
    void setStartFolder(const QString& folder) { lastFolder_ = folder; }

    int messageBox(std::string_view prompt, ButtonSet buttons, std::string_view title) override;
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText) override;
    std::optional<std::string> openFile(std::string_view title) override;
    std::vector<std::string> openFiles(std::string_view title) override;
    void beep() override;

private:
    QPointer<QWidget> parent_;
    QString lastFolder_;
};

}  // namespace cpt::app
