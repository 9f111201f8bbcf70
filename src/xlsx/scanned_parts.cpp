#include "xlsx/scanned_parts.h"

#include "core/common/user_error.h"
#include "xlsx/xml_scanner.h"

namespace cpt::xlsx {
namespace {

// The scanner gives names as written; the workbook's handlers take them
// without their prefixes.
class LocalNames : public XmlHandler {
public:
    explicit LocalNames(XmlHandler& handler) : handler_(handler) {}
    void start(std::string_view name, const char** attributes) override { handler_.start(localName(name), attributes); }
    void end(std::string_view name) override { handler_.end(localName(name)); }
    void text(std::string_view text) override { handler_.text(text); }

private:
    XmlHandler& handler_;
};

}  // namespace

bool ScannedParts::parse(const std::string& part, XmlHandler& handler) {
    const auto found = parts_.find(part);
    if (found == parts_.end()) return false;
    LocalNames local(handler);
    XmlScanner scanner(local);
    try {
        // In slices, so that the scanner's own buffer stays small.
        const std::string_view text = found->second;
        constexpr std::size_t Slice = std::size_t{64} << 10;
        for (std::size_t at = 0; at < text.size(); at += Slice) scanner.feed(text.substr(at, Slice));
        scanner.finish();
    } catch (const XmlError& error) {
        throw UserError("The file \"" + fileName_ + "\" cannot be used: its part " + part +
                        " is not well-formed XML (" + error.what() + "); the workbook is damaged.");
    }
    return true;
}

}  // namespace cpt::xlsx
