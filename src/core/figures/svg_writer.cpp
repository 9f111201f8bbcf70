#include "core/figures/svg_writer.h"

#include <cstdio>

namespace cpt::figures {
namespace {

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    // "12.50" -> "12.5", "12.00" -> "12": shorter files, same picture.
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

// Length of the valid UTF-8 sequence at text[at], 0 when it is not one.
std::size_t sequenceLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) >> 6) != 0x2) return 0;
    }
    return length;
}

// Names come from data files as bytes; an invalid byte would make the whole
// document unreadable, so it becomes U+FFFD here (the files keep the bytes).
std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text, at);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++at;
            continue;
        }
        if (length > 1) {
            out.append(text, at, length);
            at += length;
            continue;
        }
        const char c = text[at++];
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                // Control characters are not allowed in XML 1.0.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                    out += '?';
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string colour(Colour c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.red, c.green, c.blue);
    return buffer;
}

std::string dashes(LineStyle style) {
    switch (style) {
        case LineStyle::Dashed: return " stroke-dasharray=\"6 4\"";
        case LineStyle::Dotted: return " stroke-dasharray=\"2 3\"";
        default: return {};
    }
}

const char* anchor(Anchor a) {
    switch (a) {
        case Anchor::Middle: return "middle";
        case Anchor::End: return "end";
        default: return "start";
    }
}

std::string roleOf(const std::string& role) { return role.empty() ? std::string() : " class=\"" + escaped(role) + "\""; }

}  // namespace

std::string svgOf(const Figure& figure) {
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + number(figure.width) +
           "\" height=\"" + number(figure.height) + "\" viewBox=\"0 0 " + number(figure.width) + " " +
           number(figure.height) + "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n";
    out += "<title>" + escaped(figure.title) + "</title>\n";
    out += "<rect x=\"0\" y=\"0\" width=\"" + number(figure.width) + "\" height=\"" + number(figure.height) +
           "\" fill=\"#ffffff\"/>\n";
    const auto writeLine = [&out](const Line& l) {
        out += "<line" + roleOf(l.role) + " x1=\"" + number(l.x1) + "\" y1=\"" + number(l.y1) + "\" x2=\"" +
               number(l.x2) + "\" y2=\"" + number(l.y2) + "\" stroke=\"" + colour(l.colour) +
               "\" stroke-width=\"" + number(l.width) + "\"" + dashes(l.style) + "/>\n";
    };
    for (const Line& l : figure.guides) writeLine(l);
    for (const Rect& r : figure.rects) {
        out += "<rect" + roleOf(r.role) + " x=\"" + number(r.x) + "\" y=\"" + number(r.y) + "\" width=\"" +
               number(r.width) + "\" height=\"" + number(r.height) + "\" fill=\"" + colour(r.fill) +
               "\" stroke=\"" + colour(r.stroke) + "\" stroke-width=\"1\"/>\n";
    }
    for (const Line& l : figure.lines) writeLine(l);
    for (const Text& t : figure.texts) {
        out += "<text" + roleOf(t.role) + " x=\"" + number(t.x) + "\" y=\"" + number(t.y) + "\" font-size=\"" +
               number(t.size) + "\" text-anchor=\"" + anchor(t.anchor) + "\" fill=\"" + colour(t.colour) + "\"";
        if (t.bold) out += " font-weight=\"bold\"";
        if (t.vertical) out += " transform=\"rotate(-90 " + number(t.x) + " " + number(t.y) + ")\"";
        out += ">" + escaped(t.text) + "</text>\n";
    }
    out += "</svg>\n";
    return out;
}

}  // namespace cpt::figures
