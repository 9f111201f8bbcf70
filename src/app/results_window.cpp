#include "app/results_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

#include "app/figure_view.h"
#include "app/user_guide.h"
#include "core/common/user_error.h"
#include "core/figures/figure_files.h"
#include "core/figures/svg_writer.h"

namespace cpt::app {
namespace {

using figure_export::FigureFormat;

QString qt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString pairLabel(const figures::RunSummary& summary, const figures::PairSummary& pair) {
    const auto name = [&](int t) { return qt(summary.treatments[static_cast<std::size_t>(t)].name); };
    return QString("%1. %2  vs  %3. %4").arg(pair.first + 1).arg(name(pair.first)).arg(pair.second + 1).arg(name(pair.second));
}

struct ExportChoice {
    const char* button;
    FigureFormat format;
    const char* filter;
};
const ExportChoice ExportChoices[] = {
    {"Export SVG...", FigureFormat::Svg, "SVG pictures (*.svg)"},
    {"Export PNG...", FigureFormat::Png, "PNG pictures, 300 dpi (*.png)"},
    {"Export PDF...", FigureFormat::Pdf, "PDF documents (*.pdf)"},
};

}  // namespace

ResultsWindow::ResultsWindow(QString reportPath, figures::RunSummary summary, QWidget* parent)
    : QWidget(parent, Qt::Window), reportPath_(std::move(reportPath)), summary_(std::move(summary)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Results: %1").arg(QFileInfo(reportPath_).fileName()));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(buildReportTab(), tr("Report"));
    tabs_->addTab(buildMeansTab(), tr("Means and letters"));
    tabs_->addTab(buildPairTab(), tr("Pair differences"));
    layout->addWidget(tabs_);
    // The guide explains every section of the report and both figures.
    auto* helpRow = new QHBoxLayout();
    helpRow->addStretch();
    auto* guide = new QPushButton(tr("User guide"), this);
    guide->setObjectName(results_parts::GuideButton);
    guide->setToolTip(tr("Opens the user guide in your web browser (F1)"));
    connect(guide, &QPushButton::clicked, this, [this] { openUserGuide(this); });
    helpRow->addWidget(guide);
    layout->addLayout(helpRow);

    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        tabs_->setCurrentIndex(0);
        findBox_->setFocus();
        findBox_->selectAll();
    });
    auto* findNext = new QShortcut(QKeySequence::FindNext, this);
    connect(findNext, &QShortcut::activated, this, [this] { find(findBox_->text()); });
    auto* findPrevious = new QShortcut(QKeySequence::FindPrevious, this);
    connect(findPrevious, &QShortcut::activated, this, [this] { find(findBox_->text(), true); });
    auto* guideShortcut = new QShortcut(QKeySequence::HelpContents, this);
    connect(guideShortcut, &QShortcut::activated, this, [this] { openUserGuide(this); });
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    }

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(1000, screen.width() - 40), std::min(720, screen.height() - 60));
}

QWidget* ResultsWindow::buildReportTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* bar = new QHBoxLayout();
    findBox_ = new QLineEdit(page);
    findBox_->setObjectName(results_parts::FindBox);
    findBox_->setPlaceholderText(tr("Find in the report (Ctrl+F)"));
    findBox_->setClearButtonEnabled(true);
    connect(findBox_, &QLineEdit::returnPressed, this, [this] { find(findBox_->text()); });
    bar->addWidget(findBox_, 1);
    auto* next = new QPushButton(tr("Next"), page);
    connect(next, &QPushButton::clicked, this, [this] { find(findBox_->text()); });
    bar->addWidget(next);
    auto* previous = new QPushButton(tr("Previous"), page);
    connect(previous, &QPushButton::clicked, this, [this] { find(findBox_->text(), true); });
    bar->addWidget(previous);
    findStatus_ = new QLabel(page);
    findStatus_->setObjectName(results_parts::FindStatus);
    bar->addWidget(findStatus_);
    auto* copy = new QPushButton(tr("Copy all"), page);
    connect(copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(reportText()); });
    bar->addWidget(copy);
    layout->addLayout(bar);

    report_ = new QPlainTextEdit(page);
    report_->setObjectName(results_parts::ReportText);
    report_->setReadOnly(true);
    report_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    report_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QFile file(reportPath_);
    if (file.open(QIODevice::ReadOnly)) {
        report_->setPlainText(QString::fromUtf8(file.readAll()).replace("\r\n", "\n"));
    } else {
        report_->setPlainText(tr("The report \"%1\" cannot be read: %2").arg(reportPath_, file.errorString()));
    }
    layout->addWidget(report_, 1);
    return page;
}

QWidget* ResultsWindow::buildMeansTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* bar = new QHBoxLayout();
    standardError_ = new QCheckBox(tr("Error bars: \u00B1SE (the bootstrap SD) instead of the 95 % percentile interval"), page);
    standardError_->setObjectName(results_parts::StandardErrorSwitch);
    connect(standardError_, &QCheckBox::toggled, this, [this](bool on) {
        setErrorBars(on ? figures::ErrorBars::StandardError : figures::ErrorBars::Percentile);
    });
    bar->addWidget(standardError_);
    bar->addStretch();
    layout->addLayout(bar);
    means_ = new FigureView(page);
    means_->setObjectName(results_parts::MeansFigure);
    means_->setFigure(figures::meansFigure(summary_, figures::ErrorBars::Percentile));
    layout->addWidget(means_, 1);
    layout->addWidget(exportButtons(Shown::Means));
    return page;
}

QWidget* ResultsWindow::buildPairTab() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* bar = new QHBoxLayout();
    bar->addWidget(new QLabel(tr("Pair:"), page));
    pairChoice_ = new QComboBox(page);
    pairChoice_->setObjectName(results_parts::PairChoice);
    pairChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const figures::PairSummary& pair : summary_.pairs) pairChoice_->addItem(pairLabel(summary_, pair));
    bar->addWidget(pairChoice_);
    bar->addStretch();
    layout->addLayout(bar);
    pair_ = new FigureView(page);
    pair_->setObjectName(results_parts::PairFigure);
    layout->addWidget(pair_, 1);
    layout->addWidget(exportButtons(Shown::Pair));
    connect(pairChoice_, &QComboBox::currentIndexChanged, this, [this](int index) { showPair(index); });
    if (!summary_.pairs.empty()) showPair(0);
    return page;
}

QWidget* ResultsWindow::exportButtons(Shown which) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    for (const ExportChoice& choice : ExportChoices) {
        auto* button = new QPushButton(tr(choice.button), row);
        const FigureFormat format = choice.format;
        const QString filter = tr(choice.filter);
        connect(button, &QPushButton::clicked, this, [this, which, format, filter] { askAndExport(which, format, filter); });
        layout->addWidget(button);
    }
    auto* copy = new QPushButton(tr("Copy figure"), row);
    connect(copy, &QPushButton::clicked, this, [this, which] { copyFigure(which); });
    layout->addWidget(copy);
    return row;
}

QString ResultsWindow::reportText() const { return report_->toPlainText(); }

void ResultsWindow::setErrorBars(figures::ErrorBars bars) {
    const bool standardError = bars == figures::ErrorBars::StandardError;
    if (standardError_->isChecked() != standardError) {
        standardError_->setChecked(standardError);  // its toggle comes back here and draws
        return;
    }
    means_->setFigure(figures::meansFigure(summary_, bars));
}

void ResultsWindow::showPair(int index) {
    if (index < 0 || index >= static_cast<int>(summary_.pairs.size()) || index == shownPair_) return;
    shownPair_ = index;
    if (pairChoice_->currentIndex() != index) pairChoice_->setCurrentIndex(index);
    const figures::PairSummary& pair = summary_.pairs[static_cast<std::size_t>(index)];
    histogram_ = summary_.histogram(pair);
    pair_->setFigure(figures::pairFigure(summary_, pair, histogram_));
}

const figures::Figure& ResultsWindow::figure(Shown which) const {
    return which == Shown::Means ? means_->figure() : pair_->figure();
}

bool ResultsWindow::find(const QString& text, bool backwards) {
    if (text.isEmpty()) {
        findStatus_->clear();
        return false;
    }
    const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = report_->find(text, flags);
    if (!found) {
        // Round from the other end.
        QTextCursor cursor = report_->textCursor();
        cursor.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
        report_->setTextCursor(cursor);
        found = report_->find(text, flags);
    }
    findStatus_->setText(found ? QString() : tr("Not found"));
    return found;
}

void ResultsWindow::exportFigure(Shown which, const QString& path, FigureFormat format) const {
    figure_export::writeFigure(figure(which), path.toStdString(), format);
}

void ResultsWindow::copyFigure(Shown which) const {
    const figures::Figure& shown = figure(which);
    auto* data = new QMimeData();
    data->setImageData(figure_export::figureImage(shown, figure_export::figureSizeAt(shown, 192)));
    data->setData("image/svg+xml", QByteArray::fromStdString(figures::svgOf(shown)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ResultsWindow::askAndExport(Shown which, FigureFormat format, const QString& filter) {
    std::string stem = figures::meansFigureStem();
    if (which == Shown::Pair && shownPair_ >= 0) stem = figures::pairFigureStem(summary_.pairs[static_cast<std::size_t>(shownPair_)]);
    const QFileInfo report(reportPath_);
    const QString extension = figure_export::extensionOf(format);
    // Qt's own dialogue adds the extension to a bare name before it asks
    // whether to replace a file of that name (a native one may ask about the
    // bare name), so an existing figure is never replaced unasked.
    QFileDialog dialog(this, tr("Export the figure"), report.absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(extension.mid(1));
    dialog.selectFile(report.completeBaseName() + " " + qt(stem) + extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().front();
    try {
        exportFigure(which, path, format);
    } catch (const UserError& error) {
        QMessageBox::warning(this, tr("Export the figure"), QString::fromStdString(error.what()));
    }
}

}  // namespace cpt::app
