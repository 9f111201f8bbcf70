#pragma once
// A figure as plain drawing primitives in its own units (CSS pixels, 96 a
// inch, y downwards). Every front end draws the same model, so the drawing
// rules live in one place: the SVG writer, the screen, PNG, PDF.
#include <cstdint>
#include <string>
#include <vector>

namespace cpt::figures {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour Black{0, 0, 0};
inline constexpr Colour Grey{150, 150, 150};
inline constexpr Colour LightGrey{225, 225, 225};
inline constexpr Colour BarBlue{120, 160, 205};
inline constexpr Colour DarkBlue{25, 60, 110};
inline constexpr Colour MarkRed{200, 30, 30};
inline constexpr Colour MarkGreen{20, 130, 60};
inline constexpr Colour MarkOrange{220, 120, 0};

enum class LineStyle { Solid, Dashed, Dotted };
enum class Anchor { Start, Middle, End };

// Each primitive carries a role ("error-bar", "letter", "bar", ...), written
// as the SVG class, so that readers and tests can find the parts.
struct Line {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour = Black;
    double width = 1;
    LineStyle style = LineStyle::Solid;
    std::string role;
};

struct Rect {
    double x = 0, y = 0, width = 0, height = 0;
    Colour fill = BarBlue;
    Colour stroke = DarkBlue;
    std::string role;
};

struct Text {
    double x = 0, y = 0;  // the anchor point on the baseline
    std::string text;     // UTF-8
    double size = 12;
    Anchor anchor = Anchor::Start;
    bool bold = false;
    bool vertical = false;  // turned a quarter to the left about (x, y)
    Colour colour = Black;
    std::string role;
};

// Drawn in this order: guide lines, rects, lines, texts.
struct Figure {
    double width = 720;
    double height = 450;
    std::string title;  // for the SVG <title> and window captions
    std::vector<Line> guides;  // behind everything (grid lines)
    std::vector<Rect> rects;
    std::vector<Line> lines;
    std::vector<Text> texts;
};

}  // namespace cpt::figures
