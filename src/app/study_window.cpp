#include "app/study_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <sstream>

#include "app/figure_view.h"
#include "app/results_window.h"
#include "batch/input_files.h"
#include "xlsx/read_treatments.h"
#include "core/common/user_error.h"
#include "core/figures/run_summary.h"
#include "core/figures/svg_writer.h"
#include "core/study/study_figure.h"
#include "core/study/study_labels.h"
#include "figure_export/figure_rendering.h"
#include "study_files/study_table_files.h"

namespace cpt::app {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

struct FormatButton {
    StudyFormat format;
    const char* label;
};
constexpr FormatButton FormatButtons[] = {{StudyFormat::Csv, "CSV"},       {StudyFormat::Xlsx, "Excel"},
                                          {StudyFormat::Html, "HTML"},     {StudyFormat::Tex, "LaTeX"},
                                          {StudyFormat::Markdown, "Markdown"}, {StudyFormat::Docx, "Word"}};

DateTime localNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute(),
            now.time().second()};
}

// The table as Qt's rich text lays it out (it leaves out the page's cell
// padding): the same cells, the letters raised, the note below.
QString viewHtml(const StudyTable& table) {
    auto escaped = [](const std::string& text) { return qt(text).toHtmlEscaped(); };
    QString html = QStringLiteral("<table cellpadding=\"6\" cellspacing=\"0\"><tr style=\"background-color:#e8e8e8\">"
                                  "<th align=\"left\">Parameter</th>");
    for (const std::string& treatment : table.treatments) html += "<th>" + escaped(treatment) + "</th>";
    html += "</tr>";
    for (const StudyRow& row : table.rows) {
        html += "<tr><td>" + escaped(printedLabel(row)) + "</td>";
        for (const auto& cell : row.cells) {
            html += "<td align=\"center\">";
            if (cell) html += escaped(cell->values) + (cell->letters.empty() ? "" : "<sup>" + escaped(cell->letters) + "</sup>");
            html += "</td>";
        }
        html += "</tr>";
    }
    html += "</table>";
    for (const std::string& line : table.note) html += "<p>" + escaped(line) + "</p>";
    return html;
}

int pairsOf(std::size_t treatments) { return static_cast<int>(treatments * (treatments - 1) / 2); }

}  // namespace

StudyWindow::StudyWindow(QString folder, QWidget* parent) : QWidget(parent), folder_(std::move(folder)) {
    setWindowTitle(tr("Study table"));
    auto* layout = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(buildFilesBox());
    splitter->addWidget(buildTableBox());
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter);
    resize(1100, 700);
    regroup();
}

StudyWindow::~StudyWindow() {
    for (const QPointer<ResultsWindow>& window : resultsWindows_) delete window.data();
}

QWidget* StudyWindow::buildFilesBox() {
    auto* box = new QGroupBox(tr("Treatment files, grouped by parameter"), this);
    auto* layout = new QVBoxLayout(box);

    auto* buttons = new QHBoxLayout();
    auto* addFilesButton = new QPushButton(tr("Add files..."), box);
    addFilesButton->setObjectName(study_parts::AddFiles);
    connect(addFilesButton, &QPushButton::clicked, this, [this] {
        const QStringList paths = QFileDialog::getOpenFileNames(this, tr("Treatment files of the study"), folder_,
                                                                tr("Bootstrap result files (*.txt);;All files (*)"));
        if (!paths.isEmpty()) addFiles(paths);
    });
    auto* addFolderButton = new QPushButton(tr("Add a folder..."), box);
    addFolderButton->setObjectName(study_parts::AddFolder);
    connect(addFolderButton, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, tr("A folder of treatment files"), folder_);
        if (!chosen.isEmpty()) addFolder(chosen);
    });
    auto* clearButton = new QPushButton(tr("Clear"), box);
    clearButton->setObjectName(study_parts::ClearFiles);
    connect(clearButton, &QPushButton::clicked, this, &StudyWindow::clearFiles);
    for (QPushButton* button : {addFilesButton, addFolderButton, clearButton}) {
        buttons->addWidget(button);
        beforeRun_.push_back(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    grid_ = new QTableWidget(box);
    grid_->setObjectName(study_parts::Grouping);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The table's columns follow the grid's: a treatment dragged by its heading moves there.
    grid_->horizontalHeader()->setSectionsMovable(true);
    grid_->horizontalHeader()->setToolTip(tr("Drag a treatment to change the order of the table's columns"));
    layout->addWidget(grid_, 1);

    problem_ = new QLabel(box);
    problem_->setObjectName(study_parts::Problem);
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(problem_);

    auto* options = new QHBoxLayout();
    options->addWidget(new QLabel(tr("Reports and tables go to:"), box));
    folderLabel_ = new QLabel(box);
    folderLabel_->setObjectName(study_parts::Folder);
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    options->addWidget(folderLabel_, 1);
    auto* folderButton = new QPushButton(tr("Change..."), box);
    connect(folderButton, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, tr("Folder for the reports and tables"), folder_);
        if (!chosen.isEmpty()) setOutputFolder(chosen);
    });
    options->addWidget(folderButton);
    reversed_ = new QCheckBox(tr("Number the treatments by ascending mean"), box);
    reversed_->setObjectName(study_parts::Reversed);
    options->addWidget(reversed_);
    options->addWidget(new QLabel(tr("SE digits:"), box));
    digits_ = new QSpinBox(box);
    digits_->setObjectName(study_parts::Digits);
    digits_->setRange(1, MaxStudyDigits);
    digits_->setValue(DefaultStudyDigits);
    options->addWidget(digits_);
    for (QWidget* widget : std::initializer_list<QWidget*>{folderButton, reversed_, digits_}) beforeRun_.push_back(widget);
    layout->addLayout(options);

    auto* running = new QHBoxLayout();
    run_ = new QPushButton(tr("Run the study"), box);
    run_->setObjectName(study_parts::Run);
    connect(run_, &QPushButton::clicked, this, [this] { run(); });
    running->addWidget(run_);
    progress_ = new QProgressBar(box);
    progress_->setObjectName(study_parts::Progress);
    running->addWidget(progress_, 1);
    layout->addLayout(running);
    setOutputFolder(folder_);
    return box;
}

QWidget* StudyWindow::buildTableBox() {
    auto* box = new QGroupBox(tr("Study table"), this);
    auto* layout = new QVBoxLayout(box);
    tableView_ = new QTextBrowser(box);
    tableView_->setObjectName(study_parts::Table);
    tableView_->setPlaceholderText(tr("The table appears here after the run."));
    // The figure under the table, drawn from it.
    auto* views = new QSplitter(Qt::Vertical, box);
    views->addWidget(tableView_);
    figureView_ = new FigureView(views);
    figureView_->setObjectName(study_parts::Figure);
    figureView_->setMinimumHeight(120);
    views->addWidget(figureView_);
    views->setStretchFactor(0, 1);
    views->setStretchFactor(1, 1);
    layout->addWidget(views, 1);

    auto* exports = new QHBoxLayout();
    exports->addWidget(new QLabel(tr("Save as:"), box));
    for (const FormatButton& format : FormatButtons) {
        auto* button = new QPushButton(tr(format.label), box);
        button->setObjectName(QStringLiteral("export-") + QString::fromLatin1(studyFormatExtension(format.format)));
        connect(button, &QPushButton::clicked, this, [this, f = format.format] { exportTable(f); });
        exports->addWidget(button);
        afterRun_.push_back(button);
    }
    exportStatus_ = new QLabel(box);
    exportStatus_->setObjectName(study_parts::ExportStatus);
    exportStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    exports->addWidget(exportStatus_, 1);
    layout->addLayout(exports);
    layout->addWidget(buildFigureRow(box));

    auto* reports = new QHBoxLayout();
    reports->addWidget(new QLabel(tr("Report of parameter:"), box));
    reportChoice_ = new QComboBox(box);
    reportChoice_->setObjectName(study_parts::ReportChoice);
    reports->addWidget(reportChoice_);
    auto* results = new QPushButton(tr("Show the results"), box);
    results->setObjectName(study_parts::ShowResults);
    connect(results, &QPushButton::clicked, this, [this] { showResults(reportChoice_->currentIndex()); });
    auto* open = new QPushButton(tr("Open the report"), box);
    open->setObjectName(study_parts::OpenReport);
    connect(open, &QPushButton::clicked, this, [this] {
        const int index = reportChoice_->currentIndex();
        if (index < 0 || static_cast<std::size_t>(index) >= runs_.reports.size()) return;
        QDesktopServices::openUrl(QUrl::fromLocalFile(qt(runs_.reports[static_cast<std::size_t>(index)].string())));
    });
    reports->addWidget(results);
    reports->addWidget(open);
    reports->addStretch();
    layout->addLayout(reports);
    for (QWidget* widget : std::initializer_list<QWidget*>{reportChoice_, results, open}) afterRun_.push_back(widget);
    for (QWidget* widget : afterRun_) widget->setEnabled(false);
    return box;
}

void StudyWindow::addFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        try {
            ReadOptions options;
            options.everyParameter = true;
            std::vector<Treatment> read = batch::readInputFile(
                path.toStdString(), options,
                [](const std::filesystem::path& file, const ReadOptions& given) { return readTreatments(file, given); });
            for (Treatment& treatment : read) treatments_.push_back(std::move(treatment));
        } catch (const UserError& error) {
            unreadable_.push_back(qt(error.what()));
        } catch (const std::bad_alloc&) {
            unreadable_.push_back(tr("There is not enough memory for %1.").arg(path));
        }
    }
    regroup();
}

void StudyWindow::addFolder(const QString& folder) {
    QStringList paths;
    const QDir directory(folder);
    for (const QString& name : directory.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        paths.push_back(directory.filePath(name));
    }
    addFiles(paths);
}

void StudyWindow::clearFiles() {
    treatments_.clear();
    unreadable_.clear();
    regroup();
}

void StudyWindow::setOutputFolder(const QString& folder) {
    folder_ = folder;
    folderLabel_->setText(QDir::toNativeSeparators(folder));
}

bool StudyWindow::canRun() const { return !groups_.empty() && unreadable_.isEmpty(); }

void StudyWindow::regroup() {
    groups_.clear();
    groupingProblem_.clear();
    if (!treatments_.empty()) {
        try {
            std::vector<StudyParameterGroup> groups = groupByParameter(treatments_);
            StudyOptions options;
            options.digits = digits_->value();
            checkStudyOptions(groups, options);
            groups_ = std::move(groups);
        } catch (const UserError& error) {
            groupingProblem_ = qt(error.what());
        }
    }
    showGrouping();
    showPairsToRun();
    run_->setEnabled(canRun());
}

// The grid shows what was read even when it cannot be run: each parameter a
// row, each treatment a column, each cell the file it came from.
void StudyWindow::showGrouping() {
    QStringList parameters, names;
    for (const Treatment& treatment : treatments_) {
        if (!parameters.contains(qt(treatment.code))) parameters.push_back(qt(treatment.code));
        if (!names.contains(qt(treatment.name))) names.push_back(qt(treatment.name));
    }
    grid_->clear();
    grid_->setColumnCount(0);  // and forget the columns' order
    grid_->setRowCount(static_cast<int>(parameters.size()));
    grid_->setColumnCount(static_cast<int>(names.size()));
    grid_->setVerticalHeaderLabels(parameters);
    grid_->setHorizontalHeaderLabels(names);
    for (const Treatment& treatment : treatments_) {
        const int row = static_cast<int>(parameters.indexOf(qt(treatment.code)));
        const int column = static_cast<int>(names.indexOf(qt(treatment.name)));
        const QString file = QFileInfo(qt(treatment.source)).fileName();
        const QString text = tr("B = %1 (%2)").arg(treatment.values.size()).arg(file);
        if (QTableWidgetItem* taken = grid_->item(row, column)) {
            taken->setText(taken->text() + "\n" + text);
            taken->setBackground(QColor(255, 210, 210));  // the same pair twice
            continue;
        }
        auto* item = new QTableWidgetItem(text);
        item->setToolTip(qt(treatment.source));
        grid_->setItem(row, column, item);
    }
    grid_->resizeRowsToContents();

    QStringList lines = unreadable_;
    if (!groupingProblem_.isEmpty()) lines.push_back(groupingProblem_);
    if (lines.isEmpty() && !groups_.empty()) {
        int pairs = 0;
        for (const StudyParameterGroup& group : groups_) pairs += pairsOf(group.treatments.size());
        lines.push_back(tr("%1 parameters, %2 treatment files, %3 pairs: ready to run.")
                            .arg(groups_.size())
                            .arg(treatments_.size())
                            .arg(pairs));
    } else if (treatments_.empty() && lines.isEmpty()) {
        lines.push_back(tr("Add the bootstrap result files of every parameter and treatment."));
    }
    problem_->setText(lines.join("\n"));
}

void StudyWindow::showPairsToRun() {
    int pairs = 0;
    for (const StudyParameterGroup& group : groups_) pairs += pairsOf(group.treatments.size());
    progress_->setRange(0, std::max(pairs, 1));
    progress_->setValue(0);
    progress_->setFormat(pairs > 0 ? tr("%v of %m pairs") : QString());
}

std::vector<std::string> StudyWindow::columnOrder() const {
    std::vector<std::string> order(static_cast<std::size_t>(grid_->columnCount()));
    for (int column = 0; column < grid_->columnCount(); ++column) {
        order[static_cast<std::size_t>(grid_->horizontalHeader()->visualIndex(column))] =
            grid_->horizontalHeaderItem(column)->text().toStdString();
    }
    return order;
}

void StudyWindow::closeEvent(QCloseEvent* event) {
    // A run holds the window until its last report.
    if (running_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void StudyWindow::setBusy(bool busy) {
    running_ = busy;
    for (QWidget* widget : beforeRun_) widget->setEnabled(!busy);
    run_->setEnabled(!busy && canRun());
    for (QWidget* widget : afterRun_) widget->setEnabled(!busy && table_.has_value());
}

void StudyWindow::showProgress(const batch::StudyProgress& at) {
    progress_->setValue(pairsBegun_++);
    progress_->setFormat(tr("%1 (parameter %2 of %3): pair %4 of %5")
                             .arg(qt(at.name))
                             .arg(at.parameter)
                             .arg(at.parameters)
                             .arg(at.pair)
                             .arg(at.pairs));
}

bool StudyWindow::run() {
    if (!canRun()) return false;
    table_.reset();
    tableView_->clear();
    showFigure();
    reportChoice_->clear();
    runs_ = {};
    ranGroups_ = groups_;
    pairsBegun_ = 0;
    pairsInAll_ = 0;
    for (const StudyParameterGroup& group : ranGroups_) pairsInAll_ += pairsOf(group.treatments.size());
    progress_->setRange(0, pairsInAll_);
    progress_->setValue(0);
    setBusy(true);

    batch::StudyRunAnswers answers;
    answers.folder = folder_.toStdString();
    answers.reversed = reversed_->isChecked();
    answers.threads = 0;
    // The runs hold the window: it is drawn, but clicks and keys wait.
    answers.whileWaiting = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    batch::AnswerWording wording;
    wording.anotherCode = "\nChoose another folder for the reports.";
    std::ostringstream messages;
    try {
        batch::runStudyGroups(ranGroups_, answers, wording, messages,
                              runs_, [this](const batch::StudyProgress& at) { showProgress(at); });
        StudyOptions options;
        options.digits = digits_->value();
        options.treatmentOrder = columnOrder();
        table_ = buildStudyTable(runs_.runs, options);
    } catch (const std::exception& error) {
        batch::removeReports(runs_);
        runs_ = {};
        const std::string told = messages.str();
        const QString reason = dynamic_cast<const Cancelled*>(&error) != nullptr ? QString() : qt(error.what());
        QMessageBox::warning(this, tr("Study stopped"),
                             (qt(told) + reason).trimmed() + tr("\nNo report of this study was kept."));
        showPairsToRun();
        setBusy(false);
        return false;
    }
    progress_->setValue(pairsInAll_);
    progress_->setFormat(tr("%1 parameters done").arg(ranGroups_.size()));
    tableView_->setHtml(viewHtml(*table_));
    showFigure();
    figureStatus_->clear();
    for (const StudyParameterRun& parameterRun : runs_.runs) reportChoice_->addItem(qt(parameterRun.parameter));
    exportStatus_->clear();
    setBusy(false);
    return true;
}

QString StudyWindow::exportTable(StudyFormat format) {
    if (!table_) return {};
    try {
        const StudyFormat formats[] = {format};
        const std::vector<std::filesystem::path> written =
            writeStudyTableFiles(*table_, folder_.toStdString(), formats, localNow());
        const QString path = qt(written.at(0).string());
        exportStatus_->setText(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
        return path;
    } catch (const UserError& error) {
        QMessageBox::warning(this, tr("Study table not saved"), qt(error.what()));
        return {};
    }
}

QWidget* StudyWindow::buildFigureRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    figurePoints_ = new QCheckBox(tr("Points, not bars"), row);
    figurePoints_->setObjectName(study_parts::FigurePoints);
    connect(figurePoints_, &QCheckBox::toggled, this, [this] { showFigure(); });
    layout->addWidget(figurePoints_);
    afterRun_.push_back(figurePoints_);
    layout->addWidget(new QLabel(tr("Save the figure as:"), row));
    for (const char* extension : {"svg", "png", "pdf"}) {
        auto* button = new QPushButton(QString::fromLatin1(extension).toUpper(), row);
        button->setObjectName(QStringLiteral("figure-") + QString::fromLatin1(extension));
        connect(button, &QPushButton::clicked, this, [this, extension] { exportFigure(QString::fromLatin1(extension)); });
        layout->addWidget(button);
        afterRun_.push_back(button);
    }
    figureStatus_ = new QLabel(row);
    figureStatus_->setObjectName(study_parts::FigureStatus);
    figureStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(figureStatus_, 1);
    return row;
}

void StudyWindow::showFigure() {
    if (!table_) {
        figureView_->setFigure({});
        return;
    }
    const StudyFigureStyle style = figurePoints_->isChecked() ? StudyFigureStyle::Points : StudyFigureStyle::Bars;
    figureView_->setFigure(studyFigure(*table_, style));
}

QString StudyWindow::exportFigure(const QString& extension) {
    if (!table_) return {};
    const figures::Figure& figure = figureView_->figure();
    try {
        const std::optional<figure_export::FigureFormat> format = figure_export::figureFormatNamed(extension.toStdString());
        if (!format) return {};
        // Named as cpt study --figures names it, numbered as the table's files.
        const StudyFileContent file{StudyFormat::Csv, figure_export::figureBytes(figure, *format),
                                    "study-figure." + extension.toStdString()};
        const std::vector<std::filesystem::path> written = writeStudyFileSet(folder_.toStdString(), {&file, 1});
        const QString path = qt(written.at(0).string());
        figureStatus_->setText(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
        return path;
    } catch (const UserError& error) {
        QMessageBox::warning(this, tr("Study figure not saved"), qt(error.what()));
        return {};
    }
}

ResultsWindow* StudyWindow::showResults(int parameter) {
    if (parameter < 0 || static_cast<std::size_t>(parameter) >= runs_.runs.size()) return nullptr;
    const auto index = static_cast<std::size_t>(parameter);
    const QString report = qt(runs_.reports[index].string());
    std::erase_if(resultsWindows_, [](const QPointer<ResultsWindow>& window) { return window.isNull(); });
    for (const QPointer<ResultsWindow>& window : resultsWindows_) {
        if (window->reportPath() == report) {
            window->show();
            window->raise();
            return window;
        }
    }
    auto* window = new ResultsWindow(report, figures::summarizeRun(runs_.runs[index].result, ranGroups_[index].treatments));
    window->setAttribute(Qt::WA_DeleteOnClose);
    resultsWindows_.emplace_back(window);
    window->show();
    return window;
}

}  // namespace cpt::app
