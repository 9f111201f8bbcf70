#include "app/main_window_widget.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QScrollArea>
#include <QShortcut>
#include <QUrl>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/clickable_label.h"
#include "app/fitted_label.h"
#include "app/frequency_chart.h"
#include "app/pictures.h"
#include "app/user_guide.h"
#include "desktop_model/state/control_names.h"

namespace cpt::app {

namespace {

// A line too long for its box shown without its middle, never without its
// start (what it is) or its end (the file's name); its text stays whole for
// copying, and is shown whole while it has the focus.
class MiddleElidedLine : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override {
        QStyleOptionFrame panel;
        initStyleOption(&panel);
        const QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).adjusted(2, 0, -2, 0);
        if (hasFocus() || fontMetrics().horizontalAdvance(text()) <= room.width()) {
            QLineEdit::paintEvent(event);
            return;
        }
        QPainter painter(this);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        painter.drawText(room, Qt::AlignVCenter | Qt::AlignLeft,
                         fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width()));
    }
};

}  // namespace
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }
QString qt(ControlName name) { return QString::fromUtf8(name.text().data(), static_cast<qsizetype>(name.text().size())); }

QString colourStyle(const Control& control, bool withFontSize = true) {
    QString style;
    if (control.foreColor) {
        style += QString("color: rgb(%1,%2,%3);")
                     .arg(control.foreColor->red).arg(control.foreColor->green).arg(control.foreColor->blue);
    }
    if (control.backColor) {
        style += QString("background-color: rgb(%1,%2,%3);")
                     .arg(control.backColor->red).arg(control.backColor->green).arg(control.backColor->blue);
    }
    if (withFontSize && control.fontSize > 0) style += QString("font-size: %1pt;").arg(control.fontSize);
    return style;
}

// Twips to pixels at the usual 15 twips a pixel.
int pixels(int twips) { return twips / 15; }

// The width the grid's frame leaves for its columns.
int roomForGrid(const QTableWidget& table) {
    const QWidget* frame = table.parentWidget();
    int room = frame->contentsRect().width() - 2 * table.frameWidth();
    if (const QLayout* layout = frame->layout()) {
        room -= layout->contentsMargins().left() + layout->contentsMargins().right();
    }
    return room;
}

// Many treatments: the names wrap at their blanks (the row names keep a few
// words whole) and each column takes the width of its numbers, so that ten
// treatments fit a laptop screen, or scroll a little.
void compactGrid(QTableWidget& table, const GridModel& grid) {
    const QFontMetrics metrics(table.font());
    const int padding = 2 * table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 6;
    const int wholeRowName = 120;
    for (int column = 0; column < grid.columns; ++column) {
        int width = pixels(grid.columnWidths[static_cast<std::size_t>(column)]);
        for (int row = 0; row < grid.rows; ++row) {
            const QString text = qt(grid.text(row, column));
            const bool name = row == 0 || column == 0;
            int textWidth = 0;
            for (const QString& part : name ? text.split(' ', Qt::SkipEmptyParts) : QStringList{text}) {
                textWidth = std::max(textWidth, metrics.horizontalAdvance(part));
            }
            if (column == 0) textWidth = std::max(textWidth, std::min(metrics.horizontalAdvance(text), wholeRowName));
            width = std::max(width, textWidth + padding);
        }
        table.setColumnWidth(column, width);
    }
    table.setWordWrap(true);
    table.resizeRowsToContents();
    for (int row = 0; row < grid.rows; ++row) {
        table.setRowHeight(row, std::max(table.rowHeight(row), metrics.height() + 8));
    }
}

}  // namespace

MainWindowWidget::MainWindowWidget(const ControlModel& model, ClickHandler onClick, CloseHandler onClose, ResultsHandler onResults)
    : model_(model), onClick_(std::move(onClick)), onClose_(std::move(onClose)), onResults_(std::move(onResults)) {
    auto* central = new QWidget(this);
    auto* layout = new QGridLayout(central);

    auto* title = new QLabel(central);
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    add("Label12", title);
    layout->addWidget(title, 0, 0, 1, 2);
    layout->addWidget(buildAuthorFrame(), 0, 2);

    auto* authorship = new QLabel(central);
    add("Label1", authorship);
    layout->addWidget(authorship, 1, 0, 1, 3);

    auto* left = new QVBoxLayout();
    left->addWidget(buildFrame("Frame4", 3));
    left->addWidget(buildFrame("Frame6", 3));
    left->addWidget(buildFrame("Frame5", 2));
    left->addStretch();
    layout->addLayout(left, 2, 0);

    layout->addWidget(buildGraphFrame(), 2, 1);

    auto* right = new QVBoxLayout();
    auto* clock = new ClickableLabel(central);
    clock->setAlignment(Qt::AlignCenter);
    connect(clock, &ClickableLabel::clicked, this, [this] { onClick_("Label6", Gesture::Click); });
    add("Label6", clock);
    right->addWidget(clock);
    for (const char* name : {"Label13", "lblBootBegin", "lblBootEnd"}) {
        auto* label = new QLabel(central);
        label->setWordWrap(true);
        add(name, label);
        right->addWidget(label);
    }
    auto* dataFile = new MiddleElidedLine(central);
    dataFile->setReadOnly(true);
    dataFile->installEventFilter(this);
    dataFile->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(dataFile, &QWidget::customContextMenuRequested, this, &MainWindowWidget::showReportMenu);
    add(qt(control::txtDatafile), dataFile);
    right->addWidget(dataFile);
    right->addWidget(buildFrame("Frame1", 3));
    right->addStretch();
    // The windows beside the described flow, in the corner it leaves empty,
    // so that a newcomer finds them without knowing the keys.
    auto* moreWindows = new QHBoxLayout();
    moreWindows->addStretch();
    struct WindowButton {
        QString caption;
        QString toolTip;
        const char* name;
        std::function<void()>* open;
    };
    const WindowButton windowButtons[] = {
        {tr("Life tables... (Ctrl+L)"), tr("Life tables and their bootstrap files from a cohort's daily records"),
         main_parts::LifeTableButton, &onLifeTable_},
        {tr("Study table... (Ctrl+T)"), tr("A table of several parameters and their treatments, each parameter a Cartesian run"),
         main_parts::StudyButton, &onStudy_},
    };
    for (const WindowButton& shown : windowButtons) {
        auto* button = new QPushButton(shown.caption, central);
        button->setObjectName(shown.name);
        button->setToolTip(shown.toolTip);
        button->setFocusPolicy(Qt::TabFocus);
        std::function<void()>* open = shown.open;
        connect(button, &QPushButton::clicked, this, [open] {
            if (*open) (*open)();
        });
        moreWindows->addWidget(button);
    }
    right->addLayout(moreWindows);
    layout->addLayout(right, 2, 2);
    layout->setColumnStretch(1, 1);

    // A screen smaller than the window's least size scrolls rather than cuts.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(central);
    setCentralWidget(scroll);

    auto* resultsShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    connect(resultsShortcut, &QShortcut::activated, this, [this] {
        if (!reportPath_.isEmpty()) onResults_();
    });
    auto* studyShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    connect(studyShortcut, &QShortcut::activated, this, [this] {
        if (onStudy_) onStudy_();
    });
    auto* lifeTableShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this);
    connect(lifeTableShortcut, &QShortcut::activated, this, [this] {
        if (onLifeTable_) onLifeTable_();
    });
    auto* guideShortcut = new QShortcut(QKeySequence::HelpContents, this);
    connect(guideShortcut, &QShortcut::activated, this, [this] { openUserGuide(this); });

    // The whole screen of a laptop; most of a large one.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const double share = screen.width() >= 1600 ? 0.94 : 1.0;
    resize(qRound(screen.width() * share), qRound(screen.height() * share));
    sync();
}

QWidget* MainWindowWidget::buildFrame(const QString& name, int columns) {
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->setSpacing(2);
    int index = 0;
    for (const Control& control : model_.controls()) {
        if (qt(control.parent) != name) continue;
        QWidget* widget = nullptr;
        if (control.kind == ControlKind::Button) {
            auto* button = new QPushButton(frame);
            QString controlName = qt(control.name);
            connect(button, &QPushButton::clicked, this, [this, controlName] { onClick_(controlName, Gesture::Click); });
            widget = button;
        } else if (control.kind == ControlKind::TextBox) {
            widget = new QLineEdit(frame);
        } else {
            continue;
        }
        add(qt(control.name), widget);
        grid->addWidget(widget, index / columns, index % columns);
        ++index;
    }
    add(name, frame);
    return frame;
}

QWidget* MainWindowWidget::buildGraphFrame() {
    auto* frame = new QGroupBox(this);
    frame->setMinimumSize(520, 420);
    auto* layout = new QVBoxLayout(frame);

    auto* picture = new ClickableLabel(frame);
    picture->setPixmap(drawStartPicture(QSize(480, 340)));
    picture->setAlignment(Qt::AlignCenter);
    connect(picture, &ClickableLabel::clicked, this, [this] { onClick_("Image1", Gesture::Click); });
    add("Image1", picture);
    layout->addWidget(picture, 1);

    auto* status = new QLabel(frame);
    status->setAlignment(Qt::AlignCenter);
    status->setWordWrap(true);
    add("Label2", status);
    layout->addWidget(status);

    auto* saying = new ClickableLabel(frame);
    saying->setWordWrap(true);
    saying->setAlignment(Qt::AlignCenter);
    connect(saying, &ClickableLabel::clicked, this, [this] { onClick_("Label4", Gesture::Click); });
    connect(saying, &ClickableLabel::doubleClicked, this, [this] { onClick_("Label4", Gesture::DoubleClick); });
    add("Label4", saying);
    layout->addWidget(saying);

    // The menu text never squeezes a chart or grid on show: its lines keep
    // to the width and what does not fit below scrolls.
    auto* menu = new FittedLabel();
    menu->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    add("Label14", menu);
    menuScroll_ = new QScrollArea(frame);
    menuScroll_->setWidgetResizable(true);
    menuScroll_->setFrameShape(QFrame::NoFrame);
    menuScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    menuScroll_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    menuScroll_->setWidget(menu);
    layout->addWidget(menuScroll_, 2);

    grid_ = new QTableWidget(frame);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    add("MSFlexGrid1", grid_);
    layout->addWidget(grid_, 2);
    gridLegend_ = new QLabel(frame);
    gridLegend_->setObjectName("gridLegend");
    gridLegend_->setWordWrap(true);
    gridLegend_->setText(gridLegendText(false));
    gridLegend_->hide();
    layout->addWidget(gridLegend_);

    chart_ = new FrequencyChart(frame);
    add("MSChart1", chart_);
    layout->addWidget(chart_, 3);
    auto* secondChart = new QWidget(frame);
    add("MSChart2", secondChart);
    layout->addWidget(secondChart);

    for (const Control& control : model_.controls()) {
        if (control.kind == ControlKind::Picture && control.parent == "Frame3") {
            auto* greetingPicture = new QLabel(frame);
            add(qt(control.name), greetingPicture);
            layout->addWidget(greetingPicture);
        }
    }
    add("Frame3", frame);
    return frame;
}

QWidget* MainWindowWidget::buildAuthorFrame() {
    auto* frame = new QGroupBox(this);
    auto* layout = new QHBoxLayout(frame);
    auto* contact = new QLabel(frame);
    contact->setWordWrap(true);
    contact->setMaximumWidth(260);
    add("lblContact", contact);
    layout->addWidget(contact, 1);
    auto* photo = new QLabel(frame);
    photo->setPixmap(drawAuthorPhoto(QSize(90, 110)));
    add("picAuthor", photo);
    layout->addWidget(photo, 0, Qt::AlignRight | Qt::AlignVCenter);
    add("Frame2", frame);
    return frame;
}

void MainWindowWidget::sync() {
    // Runs on every tick: only what changed is touched, so that a selection
    // in a text box or a half-typed entry survives.
    for (const Control& control : model_.controls()) {
        QWidget* widget = widgets_.value(qt(control.name), nullptr);
        if (control.kind == ControlKind::Window) {
            if (control.name == "Form1" && windowTitle() != qt(control.caption)) setWindowTitle(qt(control.caption));
            continue;
        }
        if (widget == nullptr) continue;
        if (widget->isEnabled() != control.enabled) widget->setEnabled(control.enabled);
        if (widget->isVisibleTo(widget->parentWidget()) != control.visible) widget->setVisible(control.visible);
        // The output-file caption's tooltip is the report's full path.
        const QString toolTip =
            control.name == control::txtDatafile.text() && !reportPath_.isEmpty()
                ? reportPath_ + "\n" + tr("Click (or press Ctrl+R) to see the results; right-click for more.")
                : qt(control.toolTip);
        if (widget->toolTip() != toolTip) widget->setToolTip(toolTip);
        switch (control.kind) {
            case ControlKind::Frame: {
                auto* frame = static_cast<QGroupBox*>(widget);
                if (frame->title() != qt(control.caption)) frame->setTitle(qt(control.caption));
                break;
            }
            case ControlKind::Button: {
                auto* button = static_cast<QPushButton*>(widget);
                const QString text = qt(control.caption).replace("&", "&&");
                if (button->text() != text) button->setText(text);
                break;
            }
            case ControlKind::Label: {
                auto* label = static_cast<QLabel*>(widget);
                auto* fitted = qobject_cast<FittedLabel*>(label);
                if (label->text() != qt(control.caption)) {
                    if (fitted != nullptr) {
                        fitted->setFittedText(qt(control.caption));
                    } else {
                        label->setText(qt(control.caption));
                    }
                }
                if (fitted != nullptr) fitted->setLargestPointSize(control.fontSize);
                const QString style = colourStyle(control, fitted == nullptr);
                if (label->styleSheet() != style) label->setStyleSheet(style);
                if (control.height > 0) label->setMinimumHeight(pixels(control.height));
                break;
            }
            case ControlKind::TextBox: {
                // Only a new text from the program replaces what the user typed.
                QString& applied = appliedText_[qt(control.name)];
                if (applied != qt(control.caption)) {
                    applied = qt(control.caption);
                    static_cast<QLineEdit*>(widget)->setText(applied);
                    static_cast<QLineEdit*>(widget)->setCursorPosition(0);
                }
                break;
            }
            default: break;
        }
    }
    const bool menuShown = model_[control::Label14].visible;
    if (menuScroll_->isVisibleTo(menuScroll_->parentWidget()) != menuShown) menuScroll_->setVisible(menuShown);
    syncGrid();
    const bool legend = model_[control::MSFlexGrid1].visible && model_.grid.rows > 0;
    if (gridLegend_->isVisibleTo(gridLegend_->parentWidget()) != legend) gridLegend_->setVisible(legend);
    chart_->showData(model_.chart);
}

QString MainWindowWidget::gridLegendText(bool reversedOrder) {
    return tr("Above the diagonal: difference of the bootstrap means (%1). Below it: P value; \"*\" significant.")
        .arg(reversedOrder ? tr("column minus row") : tr("row minus column"));
}

void MainWindowWidget::setGridLegend(bool reversedOrder) {
    const QString text = gridLegendText(reversedOrder);
    if (gridLegend_->text() != text) gridLegend_->setText(text);
}

void MainWindowWidget::setReportPath(const QString& path) {
    reportPath_ = path;
    reportCaption()->setCursor(path.isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
    // No sync() here: the caller syncs the windows next, which sets the tooltip.
}

QWidget* MainWindowWidget::reportCaption() const { return widgets_.value(qt(control::txtDatafile)); }

bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == reportCaption() && !reportPath_.isEmpty()) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            onResults_();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                onResults_();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindowWidget::showReportMenu(const QPoint& position) {
    QWidget* caption = reportCaption();
    QMenu menu(this);
    const bool report = !reportPath_.isEmpty();
    QAction* results = menu.addAction(tr("Show the results"), QKeySequence(Qt::CTRL | Qt::Key_R), this, [this] { onResults_(); });
    QAction* open = menu.addAction(tr("Open the report"), this, [this] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(reportPath_));
    });
    QAction* folder = menu.addAction(tr("Show in folder"), this, [this] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(reportPath_).absolutePath()));
    });
    menu.addSeparator();
    QAction* copy = menu.addAction(tr("Copy the path"), this, [this] { QGuiApplication::clipboard()->setText(reportPath_); });
    for (QAction* action : {results, open, folder, copy}) action->setEnabled(report);
    menu.addSeparator();
    QAction* study = menu.addAction(tr("Study table of several parameters..."), QKeySequence(Qt::CTRL | Qt::Key_T), this,
                                    [this] { onStudy_(); });
    study->setEnabled(static_cast<bool>(onStudy_));
    QAction* lifeTable = menu.addAction(tr("Life tables from records..."), QKeySequence(Qt::CTRL | Qt::Key_L), this,
                                        [this] { onLifeTable_(); });
    lifeTable->setEnabled(static_cast<bool>(onLifeTable_));
    menu.addAction(tr("User guide"), QKeySequence::HelpContents, this, [this] { openUserGuide(this); });
    menu.exec(caption->mapToGlobal(position));
}

void MainWindowWidget::syncGrid() {
    const GridModel& grid = model_.grid;
    bool same = grid_->rowCount() == grid.rows && grid_->columnCount() == grid.columns;
    for (int row = 0; same && row < grid.rows; ++row) {
        for (int column = 0; same && column < grid.columns; ++column) {
            const QTableWidgetItem* item = grid_->item(row, column);
            same = item != nullptr && item->text() == qt(grid.text(row, column));
        }
    }
    if (same) return;  // keeps the user's selection between ticks
    grid_->setRowCount(grid.rows);
    grid_->setColumnCount(grid.columns);
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            auto* item = new QTableWidgetItem(qt(grid.text(row, column)));
            if (grid.isCentred(row, column)) item->setTextAlignment(Qt::AlignCenter);
            // Names the pair when the names have scrolled out of sight.
            if (row > 0 && column > 0 && row != column) {
                item->setToolTip(qt(grid.text(row, 0)) + " / " + qt(grid.text(0, column)));
            }
            grid_->setItem(row, column, item);
        }
    }
    grid_->resizeColumnsToContents();
    int total = 0;
    for (int column = 0; column < grid.columns; ++column) {
        int width = pixels(grid.columnWidths[static_cast<std::size_t>(column)]);
        if (grid_->columnWidth(column) < width) grid_->setColumnWidth(column, width);
        total += grid_->columnWidth(column);
    }
    if (total > roomForGrid(*grid_)) compactGrid(*grid_, grid);
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
    if (onClose_()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace cpt::app
