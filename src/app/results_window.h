#pragma once
#include <QString>
#include <QWidget>

#include "core/figures/results_figures.h"
#include "core/figures/run_summary.h"
#include "figure_export/figure_rendering.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace cpt::app {

class FigureView;

// Object names of the Results window's parts.
namespace results_parts {
inline constexpr char ReportText[] = "reportText";
inline constexpr char FindBox[] = "findBox";
inline constexpr char FindStatus[] = "findStatus";
inline constexpr char MeansFigure[] = "meansFigure";
inline constexpr char StandardErrorSwitch[] = "standardErrorSwitch";
inline constexpr char PairChoice[] = "pairChoice";
inline constexpr char PairFigure[] = "pairFigure";
inline constexpr char GuideButton[] = "guideButton";
}  // namespace results_parts

// The results of one report, beside the main window: the report's text,
// the means with their letters, and each pair's distribution of differences,
// each figure exportable and copyable. Opened only when the user asks.
class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    enum class Shown { Means, Pair };

    ResultsWindow(QString reportPath, figures::RunSummary summary, QWidget* parent = nullptr);

    const QString& reportPath() const { return reportPath_; }
    const figures::RunSummary& summary() const { return summary_; }
    QString reportText() const;

    void setErrorBars(figures::ErrorBars bars);
    // Index into the summary's pairs.
    void showPair(int index);
    int shownPair() const { return shownPair_; }
    const figures::DifferenceHistogram& shownHistogram() const { return histogram_; }
    const figures::Figure& figure(Shown which) const;

    // Finds the next (or previous) place of the text in the report, from the
    // cursor on and round; false when it is nowhere.
    bool find(const QString& text, bool backwards = false);

    // Throws UserError when the file cannot be written.
    void exportFigure(Shown which, const QString& path, figure_export::FigureFormat format) const;
    void copyFigure(Shown which) const;

private:
    QWidget* buildReportTab();
    QWidget* buildMeansTab();
    QWidget* buildPairTab();
    QWidget* exportButtons(Shown which);
    void askAndExport(Shown which, figure_export::FigureFormat format, const QString& filter);

    QString reportPath_;
    figures::RunSummary summary_;
    figures::DifferenceHistogram histogram_;
    int shownPair_ = -1;

    QTabWidget* tabs_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    QLabel* findStatus_ = nullptr;
    FigureView* means_ = nullptr;
    QCheckBox* standardError_ = nullptr;
    QComboBox* pairChoice_ = nullptr;
    FigureView* pair_ = nullptr;
};

}  // namespace cpt::app
