#include "app/life_table_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <charconv>
#include <algorithm>
#include <limits>

#include "app/qt_dialogs.h"
#include "app/study_window.h"
#include "core/common/number_format.h"
#include "core/common/user_error.h"
#include "core/life/life_files.h"
#include "core/life/life_table.h"
#include "xlsx/read_treatments.h"

namespace cpt::app {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

QString shown(const std::optional<double>& value) { return value ? qt(textNumber(*value)) : QStringLiteral("none"); }

// The messages of the core name the settings as this window does.
life::LifeWording windowWording() {
    life::LifeWording wording;
    wording.bootstrap = "The number of bootstrap replicates";
    wording.femaleOffspring = "The female share of the offspring";
    wording.cohortFemales = "a cohort of the females only";
    wording.drop = "Choosing to drop the replicates without offspring";
    return wording;
}

std::optional<std::uint64_t> seedOf(const QString& text) {
    const std::string digits = text.trimmed().toStdString();
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seed);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return seed;
}

const auto& Shown = life::AllLifeParameters;

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Drop:
        case QEvent::TouchBegin:
            return true;
        default:
            return false;
    }
}

}  // namespace

LifeTableWindow::LifeTableWindow(QString folder, std::function<StudyWindow*()> openStudy, QWidget* parent)
    : QWidget(parent), folder_(std::move(folder)), openStudy_(std::move(openStudy)) {
    setWindowTitle(tr("Life tables from records"));
    auto* layout = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(buildRecordsBox());
    splitter->addWidget(buildRunBox());
    // The summary after a run needs the room more than the estimates before it.
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({300, 400});
    layout->addWidget(splitter);
    resize(1100, 700);
    reread();
}

LifeTableWindow::~LifeTableWindow() { qApp->removeEventFilter(this); }

QWidget* LifeTableWindow::buildRecordsBox() {
    auto* box = new QGroupBox(tr("Records of the cohort, and each treatment's estimates before the bootstrap"), this);
    auto* layout = new QVBoxLayout(box);

    auto* buttons = new QHBoxLayout();
    auto* add = new QPushButton(tr("Add record files..."), box);
    add->setObjectName(life_parts::AddFiles);
    connect(add, &QPushButton::clicked, this, [this] {
        QFileDialog dialog(this, tr("Record files of the cohort"), folder_);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        prepareFileDialog(dialog, {tr("Record tables (*.csv *.tsv *.txt *.xlsx)"), tr("All files (*)")});
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) addFiles(dialog.selectedFiles());
    });
    auto* clear = new QPushButton(tr("Clear"), box);
    clear->setObjectName(life_parts::ClearFiles);
    connect(clear, &QPushButton::clicked, this, &LifeTableWindow::clearFiles);
    buttons->addWidget(add);
    buttons->addWidget(clear);
    buttons->addStretch();
    beforeRun_.push_back(add);
    beforeRun_.push_back(clear);
    layout->addLayout(buttons);

    auto* lists = new QHBoxLayout();
    files_ = new QListWidget(box);
    files_->setObjectName(life_parts::Files);
    files_->setMaximumWidth(220);
    lists->addWidget(files_);
    estimates_ = new QTableWidget(box);
    estimates_->setObjectName(life_parts::Estimates);
    estimates_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QStringList headings{tr("Treatment"), tr("n0")};
    for (const life::LifeParameter parameter : Shown) headings.push_back(qt(std::string(life::parameterCode(parameter))));
    estimates_->setColumnCount(static_cast<int>(headings.size()));
    estimates_->setHorizontalHeaderLabels(headings);
    estimates_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    lists->addWidget(estimates_, 1);
    layout->addLayout(lists, 1);

    problem_ = new QLabel(box);
    problem_->setObjectName(life_parts::Problem);
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(problem_);

    auto* options = new QHBoxLayout();
    auto* form = new QFormLayout();
    bootstrap_ = new QSpinBox(box);
    bootstrap_->setObjectName(life_parts::Bootstrap);
    bootstrap_->setRange(2, std::numeric_limits<int>::max());
    bootstrap_->setValue(100'000);
    bootstrap_->setGroupSeparatorShown(true);
    form->addRow(tr("Bootstrap replicates B:"), bootstrap_);
    seed_ = new QLineEdit(QStringLiteral("1"), box);
    seed_->setObjectName(life_parts::Seed);
    seed_->setToolTip(tr("Treatment t draws from a generator seeded with this seed + t - 1: "
                         "the same records, B and seed give the same files on every machine"));
    form->addRow(tr("Seed:"), seed_);
    options->addLayout(form);
    auto* form2 = new QFormLayout();
    cohort_ = new QComboBox(box);
    cohort_->setObjectName(life_parts::Cohort);
    cohort_->addItem(tr("Every individual"));
    cohort_->addItem(tr("The females only (needs a sex column)"));
    form2->addRow(tr("Cohort:"), cohort_);
    femaleOffspring_ = new QDoubleSpinBox(box);
    femaleOffspring_->setObjectName(life_parts::FemaleOffspring);
    femaleOffspring_->setDecimals(6);
    femaleOffspring_->setRange(0.000001, 1);
    femaleOffspring_->setSingleStep(0.05);
    femaleOffspring_->setValue(1);
    form2->addRow(tr("Female share of the offspring s:"), femaleOffspring_);
    options->addLayout(form2);
    auto* form3 = new QFormLayout();
    zeroOffspring_ = new QComboBox(box);
    zeroOffspring_->setObjectName(life_parts::ZeroOffspring);
    zeroOffspring_->addItem(tr("Write no r and T for that treatment"));
    zeroOffspring_->addItem(tr("Drop them from r and T"));
    zeroOffspring_->setToolTip(tr("A replicate in which no offspring were laid has no r and no T"));
    form3->addRow(tr("Replicates without offspring:"), zeroOffspring_);
    options->addLayout(form3);
    options->addStretch();
    layout->addLayout(options);

    auto* written = new QHBoxLayout();
    written->addWidget(new QLabel(tr("Bootstrap files of:"), box));
    for (const life::LifeParameter parameter : life::AllLifeParameters) {
        const QString code = qt(std::string(life::parameterCode(parameter)));
        auto* check = new QCheckBox(code, box);
        check->setObjectName(life_parts::ParameterPrefix + code);
        check->setChecked(std::find(life::DefaultLifeParameters.begin(), life::DefaultLifeParameters.end(), parameter) !=
                          life::DefaultLifeParameters.end());
        if (parameter == life::LifeParameter::Longevity) check->setToolTip(tr("The mean number of days lived"));
        if (parameter == life::LifeParameter::Fecundity) {
            check->setToolTip(tr("The mean total eggs of the females (needs a sex column)"));
        }
        connect(check, &QCheckBox::toggled, this, &LifeTableWindow::showEstimates);
        written->addWidget(check);
        parameters_.push_back(check);
        beforeRun_.push_back(check);
    }
    written->addStretch();
    layout->addLayout(written);
    for (QWidget* widget : std::initializer_list<QWidget*>{bootstrap_, seed_, cohort_, femaleOffspring_, zeroOffspring_}) {
        beforeRun_.push_back(widget);
    }
    connect(bootstrap_, &QSpinBox::valueChanged, this, &LifeTableWindow::showEstimates);
    connect(seed_, &QLineEdit::textChanged, this, &LifeTableWindow::showEstimates);
    connect(cohort_, &QComboBox::currentIndexChanged, this, &LifeTableWindow::showEstimates);
    connect(femaleOffspring_, &QDoubleSpinBox::valueChanged, this, &LifeTableWindow::showEstimates);
    return box;
}

QWidget* LifeTableWindow::buildRunBox() {
    auto* box = new QGroupBox(tr("Bootstrap and files"), this);
    auto* layout = new QVBoxLayout(box);
    auto* where = new QHBoxLayout();
    where->addWidget(new QLabel(tr("The files go to:"), box));
    folderLabel_ = new QLabel(box);
    folderLabel_->setObjectName(life_parts::Folder);
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where->addWidget(folderLabel_, 1);
    auto* change = new QPushButton(tr("Change..."), box);
    connect(change, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, tr("Folder for the bootstrap files"), folder_);
        if (!chosen.isEmpty()) setOutputFolder(chosen);
    });
    where->addWidget(change);
    beforeRun_.push_back(change);
    layout->addLayout(where);

    auto* running = new QHBoxLayout();
    run_ = new QPushButton(tr("Bootstrap and write the files"), box);
    run_->setObjectName(life_parts::Run);
    connect(run_, &QPushButton::clicked, this, [this] { run(); });
    running->addWidget(run_);
    stop_ = new QPushButton(tr("Stop"), box);
    stop_->setObjectName(life_parts::Stop);
    stop_->setEnabled(false);
    connect(stop_, &QPushButton::clicked, this, [this] { cancel_ = true; });
    running->addWidget(stop_);
    progress_ = new QProgressBar(box);
    progress_->setObjectName(life_parts::Progress);
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    progress_->setTextVisible(true);
    progress_->setFormat(QString());
    running->addWidget(progress_, 1);
    layout->addLayout(running);

    writtenView_ = new QTextBrowser(box);
    writtenView_->setObjectName(life_parts::Written);
    writtenView_->setPlaceholderText(tr("The bootstrap's summary and the files written appear here after the run."));
    layout->addWidget(writtenView_, 1);

    auto* after = new QHBoxLayout();
    openStudyButton_ = new QPushButton(tr("Open the Study window on these files"), box);
    openStudyButton_->setObjectName(life_parts::OpenStudy);
    openStudyButton_->setEnabled(false);
    connect(openStudyButton_, &QPushButton::clicked, this, [this] { openStudy(); });
    after->addWidget(openStudyButton_);
    after->addStretch();
    layout->addLayout(after);
    setOutputFolder(folder_);
    return box;
}

void LifeTableWindow::addFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        if (!paths_.contains(path)) paths_.push_back(path);
    }
    reread();
}

void LifeTableWindow::clearFiles() {
    paths_.clear();
    reread();
}

void LifeTableWindow::setOutputFolder(const QString& folder) {
    folder_ = folder;
    folderLabel_->setText(QDir::toNativeSeparators(folder));
}

life::LifeSettings LifeTableWindow::settings() const {
    life::LifeSettings settings;
    settings.bootstrap = bootstrap_->value();
    settings.seed = seedOf(seed_->text()).value_or(0);
    settings.cohort = cohort_->currentIndex() == 1 ? life::Cohort::Females : life::Cohort::All;
    settings.femaleOffspring = femaleOffspring_->value();
    settings.zeroOffspring = zeroOffspring_->currentIndex() == 1 ? life::ZeroOffspring::Drop : life::ZeroOffspring::Refuse;
    settings.parameters.clear();
    for (std::size_t k = 0; k < parameters_.size(); ++k) {
        if (parameters_[k]->isChecked()) settings.parameters.push_back(life::AllLifeParameters[k]);
    }
    settings.threads = 0;
    settings.wording = windowWording();
    return settings;
}

// Every file again, in the order given: a treatment named in two files
// joins, as cpt joins them.
void LifeTableWindow::reread() {
    records_ = {};
    unreadable_.clear();
    files_->clear();
    for (const QString& path : paths_) {
        files_->addItem(QFileInfo(path).fileName());
        files_->item(files_->count() - 1)->setToolTip(path);
        try {
            life::addRecords(records_, readRecords(path.toStdString()));
        } catch (const UserError& error) {
            unreadable_.push_back(qt(error.what()));
            files_->item(files_->count() - 1)->setBackground(QColor(255, 210, 210));
        } catch (const std::bad_alloc&) {
            unreadable_.push_back(tr("There is not enough memory for %1.").arg(path));
        }
    }
    showEstimates();
}

bool LifeTableWindow::canRun() const {
    if (running_ || paths_.isEmpty() || !unreadable_.isEmpty() || !seedOf(seed_->text())) return false;
    const life::LifeSettings chosen = settings();
    return !life::settingsProblem(chosen) && !life::recordsProblem(records_, chosen);
}

void LifeTableWindow::showEstimates() {
    const life::LifeSettings chosen = settings();
    estimates_->setRowCount(static_cast<int>(records_.treatments.size()));
    int row = 0;
    for (const life::TreatmentRecords& treatment : records_.treatments) {
        QStringList cells{qt(treatment.name)};
        std::optional<life::LifeTable> table;
        if (treatment.isAggregate()) {
            table = life::aggregateLifeTable(treatment.aggregate);
            cells.push_back(tr("aggregate table"));
        } else {
            const std::vector<const life::Individual*> cohort = life::cohortOf(treatment, chosen.cohort);
            cells.push_back(QString::number(cohort.size()));
            if (!cohort.empty()) table = life::lifeTableOf(cohort, chosen.femaleOffspring);
        }
        // Six digits fit the table; the tooltip holds the estimate as the files give it.
        QStringList full{qt(treatment.source), QString()};
        for (const life::LifeParameter parameter : Shown) {
            const std::optional<double> value = table ? table->estimates.of(parameter) : std::nullopt;
            cells.push_back(!table ? QString() : value ? QString::number(*value, 'g', 6) : QStringLiteral("none"));
            full.push_back(table ? shown(value) : QString());
        }
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (!full[column].isEmpty()) item->setToolTip(full[column]);
            if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            estimates_->setItem(row, column, item);
        }
        ++row;
    }

    QStringList lines = unreadable_;
    if (!seedOf(seed_->text())) lines.push_back(tr("The seed is a whole number from 0 to 18446744073709551615."));
    if (const auto problem = life::settingsProblem(chosen)) lines.push_back(qt(*problem));
    if (!paths_.isEmpty() && unreadable_.isEmpty()) {
        if (const auto problem = life::recordsProblem(records_, chosen)) lines.push_back(qt(*problem));
    }
    if (paths_.isEmpty()) {
        lines.push_back(tr("Add the record files of the cohort: long (treatment, individual, age, eggs), wide (one "
                           "column per age) or aggregate (age, lx, mx) tables."));
    } else if (lines.isEmpty()) {
        const std::size_t count = records_.treatments.size();
        lines.push_back((count == 1 ? tr("1 treatment") : tr("%1 treatments").arg(count)) + tr(", ready to bootstrap."));
    }
    problem_->setText(lines.join("\n"));
    run_->setEnabled(canRun());
}

void LifeTableWindow::setBusy(bool busy) {
    running_ = busy;
    for (QWidget* widget : beforeRun_) widget->setEnabled(!busy);
    stop_->setEnabled(busy);
    run_->setEnabled(canRun());
    openStudyButton_->setEnabled(!busy && !written_.empty());
}

// While the replicates run only the Stop button takes clicks and keys: the
// rest of the program waits, as it does for a study.
bool LifeTableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!running_) return false;
    if (event->type() == QEvent::Close && watched->isWidgetType()) {
        event->ignore();
        return true;
    }
    // The window system's events reach the widgets after their windows: filtered there.
    if (!watched->isWidgetType() && watched->isWindowType()) return false;
    return isInput(event->type()) && watched != stop_;
}

void LifeTableWindow::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool LifeTableWindow::run() {
    if (!canRun()) return false;
    written_.clear();
    writtenView_->clear();
    openStudyButton_->setEnabled(false);
    // Told before a long bootstrap rather than after it.
    std::error_code ignored;
    if (!std::filesystem::is_directory(folder_.toStdString(), ignored)) {
        writtenView_->setPlainText(tr("The folder %1 does not exist: choose another for the files.\nNo file was written.")
                                       .arg(QDir::toNativeSeparators(folder_)));
        return false;
    }
    cancel_ = false;
    life::LifeSettings chosen = settings();
    chosen.cancel = &cancel_;
    chosen.progress = [this](std::int64_t done, std::int64_t total) {
        progress_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
        progress_->setFormat(tr("replicates %1 of %2").arg(done).arg(total));
    };
    chosen.whileWaiting = [] { QCoreApplication::processEvents(); };
    progress_->setValue(0);
    progress_->setFormat(tr("starting"));
    setBusy(true);
    qApp->installEventFilter(this);

    QString failure;
    life::LifeResult result;
    try {
        result = life::runLifeTables(records_, chosen);
        written_ = life::writeLifeFiles(result, folder_.toStdString());
    } catch (const Cancelled&) {
        failure = tr("Stopped: no file was written.");
    } catch (const UserError& error) {
        failure = qt(error.what()) + tr("\nNo file was written.");
    } catch (const std::bad_alloc&) {
        failure = tr("There is not enough memory for these replicates; choose fewer bootstrap replicates.\n"
                     "No file was written.");
    }
    qApp->removeEventFilter(this);
    setBusy(false);
    if (!failure.isEmpty()) {
        written_.clear();
        progress_->setValue(0);
        progress_->setFormat(QString());
        writtenView_->setPlainText(failure);
        return false;
    }
    progress_->setValue(1000);
    progress_->setFormat(written_.size() == 1 ? tr("1 file written") : tr("%1 files written").arg(written_.size()));
    showOutcome(result);
    return true;
}

void LifeTableWindow::showOutcome(const life::LifeResult& result) {
    auto escaped = [](const std::string& text) { return qt(text).toHtmlEscaped(); };
    QString html;
    for (const life::TreatmentResult& t : result.treatments) {
        html += "<p><b>" + escaped(t.name) + "</b>: ";
        if (t.aggregate) {
            html += tr("an aggregate life table, estimates only");
        } else {
            html += tr("n0 = %1, B = %2, seed %3, %4 replicates without offspring")
                        .arg(t.n0)
                        .arg(result.bootstrap)
                        .arg(t.seed)
                        .arg(t.zeroOffspring);
        }
        html += "</p><table cellpadding=\"3\" cellspacing=\"0\"><tr style=\"background-color:#e8e8e8\">";
        for (const QString& heading : {tr("parameter"), tr("estimate"), tr("mean"), tr("SE"), tr("2.5 %"), tr("97.5 %")}) {
            html += "<th>" + heading + "</th>";
        }
        html += "</tr>";
        for (const life::ParameterResult& p : t.parameters) {
            const auto& s = p.summary;
            html += "<tr><td>" + escaped(std::string(life::parameterCode(p.parameter))) + "</td><td align=\"right\">" +
                    shown(p.estimate) + "</td>";
            for (const std::optional<double> value :
                 {s ? std::optional(s->mean) : std::nullopt, s ? std::optional(s->se) : std::nullopt,
                  s ? std::optional(s->low) : std::nullopt, s ? std::optional(s->high) : std::nullopt}) {
                html += "<td align=\"right\">" + (value ? qt(textNumber(*value)) : QStringLiteral("-")) + "</td>";
            }
            html += "</tr>";
        }
        html += "</table>";
    }
    if (!result.notes.empty()) {
        html += "<p><b>" + tr("Notes") + "</b></p><ul>";
        for (const std::string& note : result.notes) html += "<li>" + escaped(note) + "</li>";
        html += "</ul>";
    }
    html += "<p><b>" + tr("Files written") + "</b></p><ul>";
    for (const auto& path : written_) html += "<li>" + QDir::toNativeSeparators(qt(path.string())).toHtmlEscaped() + "</li>";
    html += "</ul>";
    writtenView_->setHtml(html);
}

StudyWindow* LifeTableWindow::openStudy() {
    if (written_.empty() || !openStudy_) return nullptr;
    StudyWindow* study = openStudy_();
    if (study == nullptr) return nullptr;
    QStringList files;
    for (const auto& path : written_) {
        if (path.extension() == ".txt") files.push_back(qt(path.string()));
    }
    study->clearFiles();
    study->setOutputFolder(folder_);
    study->addFiles(files);
    return study;
}

}  // namespace cpt::app
