// The study figure: drawn from the study table itself, so every panel shows
// the table's estimates, SEs and letters in the table's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "core/figures/plot_axes.h"
#include "core/figures/svg_writer.h"
#include "core/study/study_figure.h"
#include "support/study_sample.h"

namespace cpt {
namespace {

using figures::Figure;
using figures::Line;
using figures::Rect;
using figures::Text;
using testing::MixedName;
using testing::studyResult;
using testing::studyTreatment;

// The sample study with a hyphenated name and the codes a paper prints as
// symbols: r, lambda and R0 of four treatments, R0 without MixedName.
std::vector<StudyParameterRun> figureRuns() {
    std::vector<StudyParameterRun> runs = testing::sampleStudyRuns();
    runs[2].parameter = "R0";
    for (StudyParameterRun& run : runs) {
        for (TreatmentStatistics& t : run.result.treatments) {
            if (t.name == "Sorghum") t.name = "Sorghum-early";
        }
    }
    return runs;
}

// The panel a primitive at x belongs to, by the panels' plot edges (their
// axis lines, in drawing order).
struct Panel {
    double left = 0, right = 0, top = 0, bottom = 0;
    std::string title;
    bool holds(double x, double y) const { return x >= left - 1 && x <= right + 1 && y >= top - 40 && y <= bottom + 1; }
};

std::vector<Panel> panelsOf(const Figure& figure) {
    std::vector<Panel> panels;
    std::vector<const Line*> axes;
    for (const Line& line : figure.lines) {
        if (line.role == "axis") axes.push_back(&line);
    }
    for (std::size_t k = 0; k + 1 < axes.size(); k += 2) {
        // The y axis, then the bottom line.
        panels.push_back({axes[k + 1]->x1, axes[k + 1]->x2, axes[k]->y1, axes[k]->y2, ""});
    }
    for (const Text& text : figure.texts) {
        if (text.role != "panel-title") continue;
        for (Panel& panel : panels) {
            if (text.x > panel.left && text.x < panel.right && text.y < panel.top && text.y > panel.top - 40) {
                panel.title = text.text;
            }
        }
    }
    return panels;
}

template <class Item>
std::vector<const Item*> inPanel(const std::vector<Item>& items, const Panel& panel, const std::string& role) {
    std::vector<const Item*> found;
    for (const Item& item : items) {
        double x = 0, y = 0;
        if constexpr (std::is_same_v<Item, Rect>) {
            x = item.x + item.width / 2;
            y = item.y + item.height / 2;
        } else if constexpr (std::is_same_v<Item, Line>) {
            x = item.x1;
            y = item.y1;
        } else {
            x = item.x;
            y = item.y;
        }
        if (item.role == role && panel.holds(x, y)) found.push_back(&item);
    }
    std::sort(found.begin(), found.end(), [](const Item* a, const Item* b) {
        if constexpr (std::is_same_v<Item, Rect>) return a->x < b->x;
        else if constexpr (std::is_same_v<Item, Line>) return a->x1 < b->x1;
        else return a->x < b->x;
    });
    return found;
}

std::vector<const Text*> namesUnder(const Figure& figure, const Panel& panel) {
    std::vector<const Text*> names;
    for (const Text& text : figure.texts) {
        if (text.role == "treatment" && text.x >= panel.left && text.x <= panel.right + 10 && text.y > panel.bottom &&
            text.y < panel.bottom + 40) {
            names.push_back(&text);
        }
    }
    std::sort(names.begin(), names.end(), [](const Text* a, const Text* b) { return a->x < b->x; });
    return names;
}

TEST(StudyFigure, PanelsHoldTheTablesNumbersAndLettersInItsOrder) {
    const std::vector<std::string> order{"Wheat", MixedName, "Sorghum-early", "Maize"};
    const StudyTable table = buildStudyTable(figureRuns(), {order});
    for (StudyFigureStyle style : {StudyFigureStyle::Bars, StudyFigureStyle::Points}) {
        SCOPED_TRACE(style == StudyFigureStyle::Bars ? "bars" : "points");
        const Figure figure = studyFigure(table, style);
        const std::vector<Panel> panels = panelsOf(figure);
        ASSERT_EQ(panels.size(), 3u);
        const std::vector<std::string> titles{"r", "\u03BB", "R\u2080"};
        for (std::size_t p = 0; p < panels.size(); ++p) {
            SCOPED_TRACE(titles[p]);
            const Panel& panel = panels[p];
            const StudyRow& row = table.rows[p];
            EXPECT_EQ(panel.title, titles[p]);
            // Every treatment's place is there, named as given, in the table's order.
            const std::vector<const Text*> names = namesUnder(figure, panel);
            ASSERT_EQ(names.size(), order.size());
            for (std::size_t c = 0; c < order.size(); ++c) EXPECT_EQ(names[c]->text, order[c]);

            const auto marks = inPanel(figure.rects, panel, style == StudyFigureStyle::Bars ? "bar" : "point");
            const auto whiskers = inPanel(figure.lines, panel, "error-bar");
            const auto letters = inPanel(figure.texts, panel, "letter");
            std::size_t present = 0;
            for (std::size_t c = 0; c < order.size(); ++c) {
                // A turned name's baseline is beside its place, by a third of its size.
                const double x = names[c]->vertical ? names[c]->x - names[c]->size * 0.35 : names[c]->x;
                const auto at = [&](auto found) {
                    return std::count_if(found.begin(), found.end(), [&](const auto* item) {
                        if constexpr (std::is_same_v<std::decay_t<decltype(*item)>, Rect>) {
                            return std::fabs(item->x + item->width / 2 - x) < 1;
                        } else if constexpr (std::is_same_v<std::decay_t<decltype(*item)>, Line>) {
                            return std::fabs(item->x1 - x) < 1;
                        } else {
                            return std::fabs(item->x - x) < 1;
                        }
                    });
                };
                if (!row.cells[c]) {
                    // R0 has no MixedName: nothing is drawn in its place.
                    EXPECT_EQ(at(marks) + at(whiskers) + at(letters), 0) << order[c];
                    continue;
                }
                ++present;
                EXPECT_EQ(at(marks), 1) << order[c];
                EXPECT_EQ(at(whiskers), 1) << order[c];
                EXPECT_EQ(at(letters), 1) << order[c];
            }
            ASSERT_EQ(marks.size(), present);
            ASSERT_EQ(whiskers.size(), present);
            ASSERT_EQ(letters.size(), present);
            EXPECT_EQ(present, p == 2 ? 3u : 4u);

            // The figure's units are linear in the values: the whisker spans
            // 2 SE, and each estimate sits where the first two put the scale.
            std::vector<const StudyCell*> cells;
            for (const auto& cell : row.cells) {
                if (cell) cells.push_back(&*cell);
            }
            // (Wheat's R0 has an SE of 0: the scale is taken from the widest whisker.)
            std::size_t widest = 0;
            for (std::size_t k = 0; k < cells.size(); ++k) {
                if (cells[k]->standardError > cells[widest]->standardError) widest = k;
            }
            const double unitsPerValue =
                std::fabs(whiskers[widest]->y2 - whiskers[widest]->y1) / (2 * cells[widest]->standardError);
            const auto markY = [&](std::size_t k) {
                return style == StudyFigureStyle::Bars ? marks[k]->y : marks[k]->y + marks[k]->height / 2;
            };
            for (std::size_t k = 0; k < cells.size(); ++k) {
                SCOPED_TRACE(k);
                EXPECT_EQ(letters[k]->text, cells[k]->letters);
                EXPECT_NEAR(std::fabs(whiskers[k]->y2 - whiskers[k]->y1), 2 * cells[k]->standardError * unitsPerValue,
                            1e-6);
                EXPECT_NEAR(markY(k) - markY(0), -(cells[k]->estimate - cells[0]->estimate) * unitsPerValue, 1e-6);
                // The whisker is centred on the estimate, the letters above it.
                EXPECT_NEAR((whiskers[k]->y1 + whiskers[k]->y2) / 2, markY(k), 1e-6);
                EXPECT_LT(letters[k]->y, std::min(whiskers[k]->y1, whiskers[k]->y2));
            }
        }
    }
}

TEST(StudyFigure, AtMostThreePanelsARowInTheTablesRowOrder) {
    std::vector<StudyParameterRun> runs = figureRuns();
    for (const char* code : {"T", "GRR"}) {
        StudyParameterRun extra = runs[0];
        extra.parameter = code;
        runs.push_back(extra);
    }
    const StudyTable table = buildStudyTable(runs);
    const std::vector<Panel> panels = panelsOf(studyFigure(table));
    ASSERT_EQ(panels.size(), table.rows.size());
    for (std::size_t p = 0; p < panels.size(); ++p) {
        const std::size_t column = p % 3;
        EXPECT_EQ(panels[p].top, panels[p - column].top) << p;
        if (column > 0) EXPECT_GT(panels[p].left, panels[p - 1].right) << p;
        if (p >= 3) EXPECT_GT(panels[p].top, panels[p - 3].bottom) << p;
    }
}

// The bars' base and the axis: zero unless the values lie far from it.
TEST(StudyFigure, AxisStartsAtZeroUnlessTheValuesLieFarFromIt) {
    struct Case {
        const char* label;
        std::vector<std::pair<double, double>> values;  // estimate, SE
        bool fromZero;
    };
    const Case cases[] = {
        {"lambda near 1", {{1.16, 0.007}, {1.14, 0.008}}, false},
        {"R0 from 30 to 60", {{48.3, 12.3}, {31.2, 1.4}}, true},
        {"just within half", {{10, 1}, {5.5, 1}}, true},  // 4.5 of 11: zero
        {"just beyond half", {{10, 1}, {6.6, 1}}, false},  // 5.6 of 11: far
        {"either side of zero", {{0.02, 0.03}, {-0.01, 0.002}}, true},
        {"far below zero", {{-1.16, 0.007}, {-1.14, 0.008}}, false},
        {"close below zero", {{-3, 0.5}, {-0.5, 0.1}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        StudyRow row;
        double low = 1e300, high = -1e300;
        for (auto [estimate, se] : c.values) {
            StudyCell cell;
            cell.estimate = estimate;
            cell.standardError = se;
            row.cells.push_back(cell);
            low = std::min(low, estimate - se);
            high = std::max(high, estimate + se);
        }
        row.cells.push_back(std::nullopt);
        const StudyPanelScale scale = studyPanelScale(row);
        ASSERT_GE(scale.ticks.size(), 3u);
        EXPECT_LE(scale.ticks.front(), low);
        EXPECT_GE(scale.ticks.back(), high);
        const double step = scale.ticks[1] - scale.ticks[0];
        for (double tick : scale.ticks) EXPECT_NEAR(tick / step, std::round(tick / step), 1e-9) << tick;
        const bool zeroOnAxis = scale.ticks.front() <= 0 && scale.ticks.back() >= 0;
        EXPECT_EQ(zeroOnAxis, c.fromZero);
        EXPECT_EQ(scale.base, c.fromZero ? 0 : high < 0 ? scale.ticks.back() : scale.ticks.front());
    }
}

TEST(StudyFigure, ARowWithoutLettersCarriesTheTablesNoteUnderItsPanel) {
    std::vector<StudyParameterRun> runs = figureRuns();
    runs[1].result.letters.labels.clear();
    runs[1].result.letters.groupCount = 60;
    const StudyTable table = buildStudyTable(runs);
    ASSERT_FALSE(table.rows[1].lettersNote.empty());
    EXPECT_NE(std::find(table.note.begin(), table.note.end(), table.rows[1].lettersNote), table.note.end());
    const Figure figure = studyFigure(table);
    const std::vector<Panel> panels = panelsOf(figure);
    std::string note;
    for (const Text& text : figure.texts) {
        if (text.role != "note") continue;
        EXPECT_GT(text.y, panels[1].bottom);
        EXPECT_GE(text.x, panels[0].right);
        EXPECT_LE(text.x, panels[1].right);
        EXPECT_LE(text.y, figure.height);
        note += note.empty() ? text.text : " " + text.text;
    }
    EXPECT_EQ(note, table.rows[1].lettersNote);
    EXPECT_TRUE(inPanel(figure.texts, panels[1], "letter").empty());
    EXPECT_EQ(inPanel(figure.texts, panels[0], "letter").size(), 4u);
}

TEST(StudyFigure, LongNamesAreTurnedAndStayInsideTheFigure) {
    std::vector<StudyParameterRun> runs = figureRuns();
    for (StudyParameterRun& run : runs) {
        for (TreatmentStatistics& t : run.result.treatments) {
            if (t.name == MixedName) t.name = "Rice";
        }
    }
    const Figure plain = studyFigure(buildStudyTable(runs));
    for (const Text& text : plain.texts) {
        if (text.role == "treatment") EXPECT_FALSE(text.vertical) << text.text;
    }
    // One name too long for its place turns them all, so that they line up.

    runs[0].result.treatments[0].name = "Maize, irrigated (2025 \u00E9t\u00E9 trial)";
    const Figure turned = studyFigure(buildStudyTable(runs));
    for (const Text& text : turned.texts) {
        EXPECT_GE(text.x, 0) << text.text;
        EXPECT_LE(text.x, turned.width) << text.text;
        EXPECT_LE(text.y, turned.height) << text.text;
        if (text.role == "treatment") {
            EXPECT_TRUE(text.vertical) << text.text;
            // Turned, a name runs up from its baseline's end: its length must fit below the plot.
            EXPECT_LE(text.y + figures::textWidth(text.text, text.size), turned.height) << text.text;
        }
    }
}

// One small case written in full: two parameters of two treatments, one
// name that XML must escape.
TEST(StudyFigure, SmallCaseSvgIsTheGoldenFile) {
    std::vector<StudyParameterRun> runs(2);
    runs[0].parameter = "r";
    runs[0].result = studyResult({studyTreatment("Ctl \"dry\" & <wet>", 0, 0.182, 0.0061),
                                  studyTreatment("N-rich", 1, 0.151, 0.0072)},
                                 {" a", " b"}, 2);
    runs[1].parameter = "lambda";
    runs[1].result = studyResult({studyTreatment("N-rich", 1, 1.163, 0.0068),
                                  studyTreatment("Ctl \"dry\" & <wet>", 0, 1.151, 0.0083)},
                                 {" a", " a"}, 1);
    const std::string svg = figures::svgOf(studyFigure(buildStudyTable(runs)));
    const std::string path = std::string(CPT_SOURCE_DIR) + "/tests/core/study/study_figure_small.svg";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream golden;
    golden << in.rdbuf();
    if (std::getenv("CPT_WRITE_GOLDEN") != nullptr) std::ofstream(path, std::ios::binary) << svg;
    EXPECT_EQ(svg, golden.str()) << "set CPT_WRITE_GOLDEN=1 to write " << path;
    EXPECT_NE(svg.find(">Ctl &quot;dry&quot; &amp; &lt;wet&gt;</text>"), std::string::npos);
}

}  // namespace
}  // namespace cpt
