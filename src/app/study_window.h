#pragma once
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

#include "batch/study_batch.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTextBrowser;

namespace cpt::app {

class FigureView;
class ResultsWindow;

// Object names of the Study window's parts.
namespace study_parts {
inline constexpr char AddFiles[] = "addFiles";
inline constexpr char AddFolder[] = "addFolder";
inline constexpr char ClearFiles[] = "clearFiles";
inline constexpr char Files[] = "files";
inline constexpr char RemoveFiles[] = "removeFiles";
inline constexpr char Lacking[] = "lacking";  // the entries the tables lack
inline constexpr char LackingBox[] = "lackingBox";
inline constexpr char OneSampleSize[] = "oneSampleSize";
inline constexpr char Grouping[] = "grouping";
inline constexpr char Problem[] = "problem";
inline constexpr char Folder[] = "folder";
inline constexpr char Reversed[] = "reversed";
inline constexpr char Digits[] = "digits";
inline constexpr char Run[] = "run";
inline constexpr char Progress[] = "progress";
inline constexpr char Table[] = "table";
inline constexpr char ExportStatus[] = "exportStatus";
inline constexpr char ReportChoice[] = "reportChoice";
inline constexpr char ShowResults[] = "showResults";
inline constexpr char OpenReport[] = "openReport";
inline constexpr char Figure[] = "studyFigure";
inline constexpr char FigurePoints[] = "figurePoints";
inline constexpr char FigureStatus[] = "figureStatus";
}  // namespace study_parts

// A study of several parameters beside the main window: the treatment
// files grouped as parameters x treatments before the run, one Cartesian
// run and report per parameter, the study table shown with its letters
// raised, each format exported, and each parameter's results opened. Opened
// only when the user asks; it asks nothing of the main window's flow.
class StudyWindow : public QWidget {
    Q_OBJECT
public:
    explicit StudyWindow(QString folder, QWidget* parent = nullptr);
    ~StudyWindow() override;

    // Reads the files and adds their treatments; a file that cannot be read
    // is listed as refused, with why, until it is removed.
    void addFiles(const QStringList& paths);
    // The file at that place of the list, refused or not.
    void removeFile(int index);
    // Every file of the folder the list of input formats offers, by name.
    void addFolder(const QString& folder);
    void clearFiles();
    void setOutputFolder(const QString& folder);

    // Runs the study; false when it failed (told in a message box, and the
    // reports written are gone again).
    bool run();
    // Writes the table in one format into the output folder; the path, or
    // an empty string when it failed (told in a message box).
    QString exportTable(StudyFormat format);
    // Writes the study figure as study-figure.svg, .png or .pdf beside the
    // table, never over a file; the path, or empty when it failed.
    QString exportFigure(const QString& extension);
    ResultsWindow* showResults(int parameter);

    const std::optional<StudyTable>& table() const { return table_; }
    const std::vector<std::filesystem::path>& reports() const { return runs_.reports; }
    bool canRun() const;
    // For runs that must match another's file for file: the reports' and
    // tables' time, instead of the clock's.
    void setFixedTime(std::optional<DateTime> time) { fixedTime_ = time; }

    // Columns of the entries the tables lack.
    enum LackingColumn { LackParameter, LackTreatment, LackFile, LackSampleSize, LackEstimate };

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildFilesBox();
    // The treatments in the grid's column order, as the user left it.
    std::vector<std::string> columnOrder() const;
    QWidget* buildTableBox();
    QWidget* buildFigureRow(QWidget* parent);
    void showFigure();
    void regroup();
    void showFiles();
    void showLacking();
    // The treatments of the usable files, with what was typed for them;
    // what is still lacking or unusable, in the window's words.
    std::vector<Treatment> usableTreatments(QStringList& lacking) const;
    void showGrouping();
    void showPairsToRun();
    void setBusy(bool busy);
    void showProgress(const batch::StudyProgress& progress);

    // A file as added: its treatments as read, the entries typed for those
    // the table gives no n or estimate, or why it was refused.
    struct StudyFile {
        QString path;
        std::vector<Treatment> treatments;
        std::vector<QString> typedSampleSize, typedEstimate;
        QString refusal;
    };

    QString folder_;
    std::vector<StudyFile> files_;
    std::size_t usableCount_ = 0;  // treatments of the usable files
    QStringList lacking_;
    bool ranSinceChange_ = false;
    std::optional<DateTime> fixedTime_;
    std::vector<StudyParameterGroup> groups_;  // empty when the treatments cannot be grouped
    QString groupingProblem_;

    // The last run: its groups (for the figures), runs, reports and table.
    std::vector<StudyParameterGroup> ranGroups_;
    batch::StudyRuns runs_;
    std::optional<StudyTable> table_;
    int pairsBegun_ = 0;  // of every parameter, which may run at once
    int pairsInAll_ = 0;

    QTableWidget* grid_ = nullptr;
    QListWidget* fileList_ = nullptr;
    QWidget* lackingBox_ = nullptr;
    QTableWidget* lackingTable_ = nullptr;
    QLineEdit* oneSampleSize_ = nullptr;
    bool showingLacking_ = false;  // its cells are being filled, not typed
    QLabel* problem_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QCheckBox* reversed_ = nullptr;
    QSpinBox* digits_ = nullptr;
    QPushButton* run_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTextBrowser* tableView_ = nullptr;
    QLabel* exportStatus_ = nullptr;
    FigureView* figureView_ = nullptr;
    QCheckBox* figurePoints_ = nullptr;
    QLabel* figureStatus_ = nullptr;
    QComboBox* reportChoice_ = nullptr;
    std::vector<QWidget*> afterRun_;  // usable once a table is shown
    std::vector<QWidget*> beforeRun_;  // held while a run is on
    std::vector<QPointer<ResultsWindow>> resultsWindows_;
    bool running_ = false;
};

}  // namespace cpt::app
