#pragma once
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "core/life/life_bootstrap.h"
#include "core/life/records.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTextBrowser;

namespace cpt::app {

class StudyWindow;

// Object names of the Life table window's parts.
namespace life_parts {
inline constexpr char AddFiles[] = "addRecordFiles";
inline constexpr char ClearFiles[] = "clearRecordFiles";
inline constexpr char Files[] = "recordFiles";
inline constexpr char Estimates[] = "estimates";
inline constexpr char Problem[] = "problem";
inline constexpr char Bootstrap[] = "bootstrap";
inline constexpr char Seed[] = "seed";
inline constexpr char Cohort[] = "cohort";
inline constexpr char FemaleOffspring[] = "femaleOffspring";
inline constexpr char ZeroOffspring[] = "zeroOffspring";
// The parameters' check boxes are named "parameter-" and their code ("parameter-R0").
inline constexpr char ParameterPrefix[] = "parameter-";
inline constexpr char Folder[] = "folder";
inline constexpr char Run[] = "run";
inline constexpr char Stop[] = "stop";
inline constexpr char Progress[] = "progress";
inline constexpr char Written[] = "written";
inline constexpr char OpenStudy[] = "openStudy";
}  // namespace life_parts

// Life tables from a cohort's daily records beside the main window: the
// record files read and each treatment's n0 and estimates shown before the
// bootstrap, the replicates run on every core, and the bootstrap result
// files written (the files cpt life-table writes) and handed to the Study window.
class LifeTableWindow : public QWidget {
    Q_OBJECT
public:
    // openStudy: the Study window to hand the files to (opened or raised).
    LifeTableWindow(QString folder, std::function<StudyWindow*()> openStudy, QWidget* parent = nullptr);
    ~LifeTableWindow() override;

    // Reads the files with those given before; a file that cannot be read is
    // named under the estimates and nothing runs until it is taken away.
    void addFiles(const QStringList& paths);
    void clearFiles();
    void setOutputFolder(const QString& folder);

    // Bootstraps and writes the files; false when nothing was written (the
    // reason shown in the window).
    bool run();
    // The Study window on the bootstrap files of the last run.
    StudyWindow* openStudy();

    bool canRun() const;
    const std::vector<std::filesystem::path>& written() const { return written_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildRecordsBox();
    QWidget* buildRunBox();
    // The settings as chosen, in the window's own words.
    life::LifeSettings settings() const;
    void reread();
    void showEstimates();
    void setBusy(bool busy);
    void showOutcome(const life::LifeResult& result);

    QString folder_;
    std::function<StudyWindow*()> openStudy_;
    QStringList paths_;
    life::Records records_;
    QStringList unreadable_;

    std::vector<std::filesystem::path> written_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;

    QListWidget* files_ = nullptr;
    QTableWidget* estimates_ = nullptr;
    QLabel* problem_ = nullptr;
    QSpinBox* bootstrap_ = nullptr;
    QLineEdit* seed_ = nullptr;
    QComboBox* cohort_ = nullptr;
    QDoubleSpinBox* femaleOffspring_ = nullptr;
    QComboBox* zeroOffspring_ = nullptr;
    std::vector<QCheckBox*> parameters_;  // in the order of life::AllLifeParameters
    QLabel* folderLabel_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* stop_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTextBrowser* writtenView_ = nullptr;
    QPushButton* openStudyButton_ = nullptr;
    std::vector<QWidget*> beforeRun_;  // held while a run is on
};

}  // namespace cpt::app
