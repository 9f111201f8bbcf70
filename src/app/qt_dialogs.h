#pragma once
#include <QWidget>
#include <QPointer>

#include "desktop_model/common/dialogs.h"

namespace cpt::app {

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
