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
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
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

#include "app/qt_dialogs.h"
#include "app/read_wording.h"
#include "app/figure_view.h"
#include "app/results_window.h"
#include "batch/input_files.h"
#include "xlsx/read_treatments.h"
#include "desktop_model/cartesian/missing_table_entries.h"
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
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    }
    showFiles();
    showLacking();
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
        QFileDialog dialog(this, tr("Treatment files of the study"), folder_);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        prepareFileDialog(dialog, treatmentFileFilters());
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) addFiles(dialog.selectedFiles());
    });
    auto* addFolderButton = new QPushButton(tr("Add a folder..."), box);
    addFolderButton->setObjectName(study_parts::AddFolder);
    connect(addFolderButton, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, tr("A folder of treatment files"), folder_);
        if (!chosen.isEmpty()) addFolder(chosen);
    });
    auto* removeButton = new QPushButton(tr("Remove"), box);
    removeButton->setObjectName(study_parts::RemoveFiles);
    removeButton->setToolTip(tr("Removes the files chosen in the list"));
    connect(removeButton, &QPushButton::clicked, this, [this] {
        QList<int> rows;
        for (const QListWidgetItem* item : fileList_->selectedItems()) rows.push_back(fileList_->row(item));
        std::sort(rows.begin(), rows.end(), std::greater<>());
        for (int row : rows) removeFile(row);
    });
    auto* clearButton = new QPushButton(tr("Clear"), box);
    clearButton->setObjectName(study_parts::ClearFiles);
    connect(clearButton, &QPushButton::clicked, this, &StudyWindow::clearFiles);
    for (QPushButton* button : {addFilesButton, addFolderButton, removeButton, clearButton}) {
        buttons->addWidget(button);
        beforeRun_.push_back(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    auto* lists = new QSplitter(Qt::Horizontal, box);
    fileList_ = new QListWidget(lists);
    fileList_->setObjectName(study_parts::Files);
    fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lists->addWidget(fileList_);
    grid_ = new QTableWidget(lists);
    lists->addWidget(grid_);
    lists->setStretchFactor(0, 1);
    lists->setStretchFactor(1, 3);
    grid_->setObjectName(study_parts::Grouping);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The table's columns follow the grid's: a treatment dragged by its heading moves there.
    grid_->horizontalHeader()->setSectionsMovable(true);
    grid_->horizontalHeader()->setToolTip(tr("Drag a treatment to change the order of the table's columns"));
    layout->addWidget(lists, 1);

    // What a table lacks is typed here, as the main window asks it in boxes.
    auto* lacking = new QGroupBox(tr("What the tables lack: the sample size n and the estimate of each treatment"), box);
    lacking->setObjectName(study_parts::LackingBox);
    lackingBox_ = lacking;
    auto* lackingLayout = new QVBoxLayout(lacking);
    auto* oneRow = new QHBoxLayout();
    oneRow->addWidget(new QLabel(tr("One n for all:"), lacking));
    oneSampleSize_ = new QLineEdit(lacking);
    oneSampleSize_->setObjectName(study_parts::OneSampleSize);
    oneSampleSize_->setPlaceholderText(tr("the n of every treatment whose box n is left empty"));
    connect(oneSampleSize_, &QLineEdit::textChanged, this, [this] {
        ranSinceChange_ = false;
        regroup();
    });
    oneRow->addWidget(oneSampleSize_, 1);
    lackingLayout->addLayout(oneRow);
    lackingTable_ = new QTableWidget(0, 5, lacking);
    lackingTable_->setObjectName(study_parts::Lacking);
    lackingTable_->setHorizontalHeaderLabels({tr("Parameter"), tr("Treatment"), tr("File"), tr("n"), tr("Estimate")});
    lackingTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    lackingTable_->verticalHeader()->hide();
    connect(lackingTable_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (showingLacking_) return;
        const QTableWidgetItem* key = lackingTable_->item(item->row(), LackTreatment);
        if (key == nullptr) return;
        const auto f = static_cast<std::size_t>(key->data(Qt::UserRole).toInt());
        const auto t = static_cast<std::size_t>(key->data(Qt::UserRole + 1).toInt());
        if (f >= files_.size() || t >= files_[f].treatments.size()) return;
        if (item->column() == LackSampleSize) files_[f].typedSampleSize[t] = item->text();
        if (item->column() == LackEstimate) files_[f].typedEstimate[t] = item->text();
        ranSinceChange_ = false;
        regroup();
    });
    lackingLayout->addWidget(lackingTable_);
    layout->addWidget(lacking, 1);
    beforeRun_.push_back(oneSampleSize_);
    beforeRun_.push_back(lackingTable_);

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
    for (const StudyFormatEntry& format : StudyFormats) {
        auto* button = new QPushButton(tr(std::string(format.label).c_str()), box);
        button->setObjectName(QStringLiteral("export-") + QString::fromLatin1(format.extension));
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
        StudyFile file{path, {}, {}, {}, {}};
        try {
            ReadOptions options;
            options.everyParameter = true;
            options.leaveMissingOpen = true;  // typed in the window instead
            options.wording = desktopReadWording();
            file.treatments = batch::readInputFile(
                path.toStdString(), options,
                [](const std::filesystem::path& read, const ReadOptions& given) { return readTreatments(read, given); });
            file.typedSampleSize.resize(file.treatments.size());
            file.typedEstimate.resize(file.treatments.size());
        } catch (const UserError& error) {
            file.refusal = qt(error.what());
        } catch (const std::bad_alloc&) {
            file.refusal = tr("There is not enough memory for %1.").arg(path);
        }
        if (!file.refusal.isEmpty()) file.treatments.clear();
        files_.push_back(std::move(file));
    }
    ranSinceChange_ = false;
    showFiles();
    showLacking();
    regroup();
}

void StudyWindow::removeFile(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= files_.size()) return;
    files_.erase(files_.begin() + index);
    ranSinceChange_ = false;
    showFiles();
    showLacking();
    regroup();
}

void StudyWindow::showFiles() {
    fileList_->clear();
    for (const StudyFile& file : files_) {
        const QString name = QFileInfo(file.path).fileName();
        auto* item = new QListWidgetItem(fileList_);
        if (file.refusal.isEmpty()) {
            item->setText(file.treatments.size() == 1 ? tr("%1: 1 treatment").arg(name)
                                                      : tr("%1: %2 treatments").arg(name).arg(file.treatments.size()));
            item->setToolTip(file.path);
        } else {
            item->setText(tr("%1: refused. %2").arg(name, file.refusal));
            item->setForeground(QColor(170, 0, 0));
            item->setBackground(QColor(255, 225, 225));
            item->setToolTip(file.refusal + tr("\nChoose it and click Remove to leave it out."));
        }
    }
}

void StudyWindow::showLacking() {
    showingLacking_ = true;
    lackingTable_->setRowCount(0);
    for (std::size_t f = 0; f < files_.size(); ++f) {
        const StudyFile& file = files_[f];
        const QString name = QFileInfo(file.path).fileName();
        for (std::size_t t = 0; t < file.treatments.size(); ++t) {
            const Treatment& treatment = file.treatments[t];
            if (!treatment.sampleSizeMissing && !treatment.estimateMissing) continue;
            const int row = lackingTable_->rowCount();
            lackingTable_->insertRow(row);
            auto fixed = [](const QString& text) {
                auto* item = new QTableWidgetItem(text);
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                return item;
            };
            lackingTable_->setItem(row, LackParameter, fixed(qt(treatment.code)));
            QTableWidgetItem* key = fixed(qt(treatment.name));
            key->setData(Qt::UserRole, static_cast<int>(f));
            key->setData(Qt::UserRole + 1, static_cast<int>(t));
            lackingTable_->setItem(row, LackTreatment, key);
            lackingTable_->setItem(row, LackFile, fixed(name));
            auto entry = [&fixed](bool missing, const QString& typed, const QString& given) {
                if (!missing) return fixed(given);  // the table's own
                return new QTableWidgetItem(typed);
            };
            lackingTable_->setItem(row, LackSampleSize, entry(treatment.sampleSizeMissing, file.typedSampleSize[t],
                                                              QString::number(treatment.sampleSize)));
            lackingTable_->setItem(row, LackEstimate, entry(treatment.estimateMissing, file.typedEstimate[t],
                                                            QString::number(treatment.estimate, 'g', 17)));
        }
    }
    lackingBox_->setVisible(lackingTable_->rowCount() > 0);
    showingLacking_ = false;
}

std::vector<Treatment> StudyWindow::usableTreatments(QStringList& lacking) const {
    lacking.clear();
    const std::string allText = oneSampleSize_->text().toStdString();
    const bool allGiven = !oneSampleSize_->text().trimmed().isEmpty();
    const std::optional<std::int32_t> all = allGiven ? sampleSizeTyped(allText) : std::nullopt;
    bool allUsed = false;
    std::vector<Treatment> usable;
    for (const StudyFile& file : files_) {
        if (!file.refusal.isEmpty()) continue;
        const QString name = QFileInfo(file.path).fileName();
        for (std::size_t t = 0; t < file.treatments.size(); ++t) {
            Treatment treatment = file.treatments[t];
            const QString who = tr("Treatment \"%1\" (%2) of %3").arg(qt(treatment.name), qt(treatment.code), name);
            if (treatment.sampleSizeMissing) {
                const QString typed = file.typedSampleSize[t];
                if (typed.trimmed().isEmpty()) {
                    allUsed = true;
                    if (all) {
                        treatment.sampleSize = *all;
                        treatment.sampleSizeMissing = false;
                    } else if (!allGiven) {
                        lacking.push_back(tr("%1: enter its sample size in the box \"n\" (or one n for all).").arg(who));
                    }
                } else if (const std::optional<std::int32_t> n = sampleSizeTyped(typed.toStdString())) {
                    treatment.sampleSize = *n;
                    treatment.sampleSizeMissing = false;
                } else {
                    lacking.push_back(who + ": " + qt(sampleSizeRefusal(typed.toStdString())));
                }
            }
            if (treatment.estimateMissing) {
                const QString typed = file.typedEstimate[t];
                if (typed.trimmed().isEmpty()) {
                    lacking.push_back(
                        tr("%1: enter its estimate (the parameter's value for the full sample) in the box \"Estimate\".")
                            .arg(who));
                } else if (const std::optional<double> estimate = estimateTyped(typed.toStdString())) {
                    treatment.estimate = *estimate;
                    treatment.estimateMissing = false;
                } else {
                    lacking.push_back(who + ": " + qt(estimateRefusal(typed.toStdString())));
                }
            }
            usable.push_back(std::move(treatment));
        }
    }
    if (allGiven && !all && allUsed) {
        lacking.push_front(tr("One n for all: ") + qt(sampleSizeRefusal(allText)));
    }
    return usable;
}

void StudyWindow::addFolder(const QString& folder) {
    QStringList paths;
    const QDir directory(folder);
    for (const QString& name : directory.entryList(treatmentFilePatterns(), QDir::Files, QDir::Name)) {
        paths.push_back(directory.filePath(name));
    }
    addFiles(paths);
}

void StudyWindow::clearFiles() {
    files_.clear();
    // The table of files no longer listed must not be saved as theirs.
    table_.reset();
    tableView_->clear();
    reportChoice_->clear();
    exportStatus_->clear();
    runs_ = {};
    ranGroups_.clear();
    for (QWidget* widget : afterRun_) widget->setEnabled(false);
    ranSinceChange_ = false;
    showFiles();
    showLacking();
    regroup();
}

void StudyWindow::setOutputFolder(const QString& folder) {
    folder_ = folder;
    folderLabel_->setText(QDir::toNativeSeparators(folder));
}

bool StudyWindow::canRun() const {
    const bool refused = std::any_of(files_.begin(), files_.end(), [](const StudyFile& file) { return !file.refusal.isEmpty(); });
    return !groups_.empty() && lacking_.isEmpty() && !refused;
}

void StudyWindow::regroup() {
    groups_.clear();
    groupingProblem_.clear();
    std::vector<Treatment> usable = usableTreatments(lacking_);
    usableCount_ = usable.size();
    if (!usable.empty()) {
        try {
            // Moved, not copied: the values of large files are held twice at most.
            std::vector<StudyParameterGroup> groups = groupByParameter(std::move(usable));
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
    std::vector<const Treatment*> shown;
    for (const StudyFile& file : files_) {
        for (const Treatment& treatment : file.treatments) shown.push_back(&treatment);
    }
    QStringList parameters, names;
    for (const Treatment* entry : shown) {
        const Treatment& treatment = *entry;
        if (!parameters.contains(qt(treatment.code))) parameters.push_back(qt(treatment.code));
        if (!names.contains(qt(treatment.name))) names.push_back(qt(treatment.name));
    }
    grid_->clear();
    grid_->setColumnCount(0);  // and forget the columns' order
    grid_->setRowCount(static_cast<int>(parameters.size()));
    grid_->setColumnCount(static_cast<int>(names.size()));
    grid_->setVerticalHeaderLabels(parameters);
    grid_->setHorizontalHeaderLabels(names);
    for (const Treatment* entry : shown) {
        const Treatment& treatment = *entry;
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

    QStringList lines;
    for (const StudyFile& file : files_) {
        if (!file.refusal.isEmpty()) lines.push_back(tr("Refused (remove it to run the rest): %1").arg(file.refusal));
    }
    lines += lacking_;
    if (!groupingProblem_.isEmpty()) lines.push_back(groupingProblem_);
    if (lines.isEmpty() && !groups_.empty()) {
        int pairs = 0;
        for (const StudyParameterGroup& group : groups_) pairs += pairsOf(group.treatments.size());
        if (ranSinceChange_) {
            lines.push_back(tr("Done: %1 parameters, %2 pairs run; the reports are in %3 and the table is below.")
                                .arg(groups_.size())
                                .arg(pairs)
                                .arg(QDir::toNativeSeparators(folder_)));
        } else {
            lines.push_back(tr("%1 parameters, %2 treatments, %3 pairs: ready to run.")
                                .arg(groups_.size())
                                .arg(usableCount_)
                                .arg(pairs));
        }
    } else if (files_.empty() && lines.isEmpty()) {
        lines.push_back(tr("Add the bootstrap result files or tables of every parameter and treatment."));
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
    answers.fixedTime = fixedTime_;
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
    ranSinceChange_ = true;
    showGrouping();
    setBusy(false);
    return true;
}

QString StudyWindow::exportTable(StudyFormat format) {
    if (!table_) return {};
    try {
        const StudyFormat formats[] = {format};
        const std::vector<std::filesystem::path> written =
            writeStudyTableFiles(*table_, folder_.toStdString(), formats, fixedTime_.value_or(localNow()));
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
