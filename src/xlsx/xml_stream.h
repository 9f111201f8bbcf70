#pragma once
// One XML document parsed with expat as it streams from a zip entry. Element
// and attribute names come without their namespace: an .xlsx file's parts
// each use one vocabulary, and their prefixes vary between writers.
#include <exception>
#include <functional>
#include <string>
#include <string_view>

struct zip;

namespace cpt::xlsx {

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    // attributes: name, value, ..., then a null pointer (as expat gives them).
    virtual void start(std::string_view name, const char** attributes) = 0;
    virtual void end(std::string_view name) = 0;
    virtual void text(std::string_view text) = 0;
};

// The value of the attribute of that name without its namespace, or empty.
std::string_view attribute(const char** attributes, std::string_view name);

// Parses the entry through the handler. Returns false when the archive has
// no such entry. Throws UserError naming `fileName` when it is not XML, and
// passes on what the handler throws.
bool parseEntry(zip* archive, const std::string& entry, XmlHandler& handler, const std::string& fileName);

}  // namespace cpt::xlsx
