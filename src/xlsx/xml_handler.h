#pragma once
// What reads one XML part of a workbook, as expat's events drive it. Names
// come without their namespace or prefix: each part uses one vocabulary, and
// writers vary the prefixes.
#include <string_view>

namespace cpt::xlsx {

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    // attributes: name, value, ..., then a null pointer (as expat gives them).
    virtual void start(std::string_view name, const char** attributes) = 0;
    virtual void end(std::string_view name) = 0;
    virtual void text(std::string_view text) = 0;
};

// The name without what comes before its last namespace separator (the
// character U+001F) or ':'.
std::string_view localName(std::string_view name);
// The value of the attribute of that local name, or empty.
std::string_view attribute(const char** attributes, std::string_view name);

}  // namespace cpt::xlsx
