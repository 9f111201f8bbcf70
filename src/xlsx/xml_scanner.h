#pragma once
// A small streaming XML reader for a workbook's parts where expat is not
// there (the WebAssembly build): start and end tags, attributes, text, the
// five predefined entities, character references and CDATA sections; the
// declaration, comments and processing instructions are passed over. It
// checks that tags nest and that the document is complete, and normalizes
// line ends and attribute blanks as XML asks; it does not validate, and it
// refuses a document type declaration (no workbook part has one).
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx/xml_handler.h"

namespace cpt::xlsx {

class XmlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class XmlScanner {
public:
    static constexpr std::size_t MaxMarkupLength = std::size_t{1} << 20;

    explicit XmlScanner(XmlHandler& handler) : handler_(handler) {}

    // Throws XmlError at malformed markup; passes on what the handler throws.
    void feed(std::string_view chunk);
    // The document must be complete.
    void finish();

private:
    // Handles what the pending bytes hold whole; false when more must come.
    bool step();
    void tag(std::string_view markup);
    void sendText(std::string_view raw);
    std::string withLineFeeds(std::string_view raw);
    std::string decoded(std::string_view raw, bool attributeValue) const;

    XmlHandler& handler_;
    std::string pending_;
    std::size_t start_ = 0;  // first unhandled byte of pending_
    std::vector<std::string> open_;
    bool rootSeen_ = false;
    bool begun_ = false;  // past a byte-order mark
    bool lastWasCr_ = false;  // a CR ended the last text: an LF that follows it is its line end
    // A tag's attributes, as the handler takes them.
    std::vector<std::string> attributeTexts_;
    std::vector<const char*> attributePointers_;
};

}  // namespace cpt::xlsx
