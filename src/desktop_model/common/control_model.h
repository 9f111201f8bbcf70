#pragma once
// The main window as data: every named control's caption, state, colours and
// font size, the overview grid and the frequency chart. The procedures change
// the model; the desktop program draws it; tests read it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/grid_and_chart.h"

namespace cpt {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class ControlKind { Window, Frame, Button, Label, TextBox, Picture, Image, Grid, Chart };

struct Control {
    std::string name;
    ControlKind kind = ControlKind::Button;
    std::string caption;
    std::string parent;  // the frame or window that holds it
    std::string toolTip;
    bool enabled = true;
    bool visible = true;
    std::optional<Rgb> foreColor;
    std::optional<Rgb> backColor;
    double fontSize = 0;  // 0: the toolkit's default
    int height = 0;       // 0: the layout's own; else twips
};

// A control's name. The procedures take theirs from typed constants, so a
// misspelt name does not compile; a name that comes as data (a list of
// buttons, a front end's click, a test) is looked up with named().
class ControlName {
public:
    explicit constexpr ControlName(std::string_view text) : text_(text) {}
    constexpr std::string_view text() const { return text_; }
    friend constexpr bool operator==(ControlName, ControlName) = default;

private:
    std::string_view text_;
};

class ControlModel {
public:
    explicit ControlModel(std::vector<Control> controls);

    Control& operator[](ControlName name) { return named(name.text()); }
    const Control& operator[](ControlName name) const { return named(name.text()); }
    // Throws std::logic_error for a name the list does not hold.
    Control& named(std::string_view name);
    const Control& named(std::string_view name) const;
    bool contains(std::string_view name) const;
    const std::vector<Control>& controls() const { return controls_; }

    GridModel grid;
    ChartModel chart;

    // Asks the front end to draw a control now, in the middle of a long run.
    void redraw(ControlName name) const {
        if (redrawHandler_) redrawHandler_(name.text());
    }
    void setRedrawHandler(std::function<void(std::string_view)> handler) { redrawHandler_ = std::move(handler); }

    // Tells the front end that a long run has come to pair `pair` of `pairs`
    // (counting from 1), for a progress line of its own; the window's
    // captions say the same through redraw().
    void pairProgress(int pair, int pairs) const {
        if (progressHandler_) progressHandler_(pair, pairs);
    }
    void setProgressHandler(std::function<void(int, int)> handler) { progressHandler_ = std::move(handler); }

    // Asks the front end to end the program.
    void requestExit() {
        exitRequested_ = true;
        if (exitHandler_) exitHandler_();
    }
    bool exitRequested() const { return exitRequested_; }
    void setExitHandler(std::function<void()> handler) { exitHandler_ = std::move(handler); }

private:
    std::vector<Control> controls_;
    std::function<void(std::string_view)> redrawHandler_;
    std::function<void()> exitHandler_;
    std::function<void(int, int)> progressHandler_;
    bool exitRequested_ = false;
};

}  // namespace cpt
