// The workbook parts' own XML reader against expat on any bytes, fed in two
// chunks split where the first byte says: whatever expat reads, the scanner
// must read the same (names, attributes, text), and it may refuse only what
// it is documented to refuse (a document type declaration, another encoding).
#include <expat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "xlsx/xml_scanner.h"

namespace {

// The events as one text; adjacent texts joined, as the parsers split them differently.
class Log : public cpt::xlsx::XmlHandler {
public:
    std::string events;
    void start(std::string_view name, const char** attributes) override {
        flush();
        events += "<" + std::string(name);
        for (const char** a = attributes; a[0] != nullptr; a += 2) events += " " + std::string(a[0]) + "=" + a[1];
        events += ">";
    }
    void end(std::string_view name) override {
        flush();
        events += "</" + std::string(name) + ">";
    }
    void text(std::string_view text) override { text_ += text; }
    void flush() {
        if (!text_.empty()) events += "[" + text_ + "]";
        text_.clear();
    }

private:
    std::string text_;
};

void onStart(void* log, const char* name, const char** attributes) { static_cast<Log*>(log)->start(name, attributes); }
void onEnd(void* log, const char* name) { static_cast<Log*>(log)->end(name); }
void onText(void* log, const char* text, int length) {
    static_cast<Log*>(log)->text(std::string_view(text, static_cast<std::size_t>(length)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view document(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = document.empty() ? 0 : data[0] % (document.size() + 1);

    Log expatLog;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &expatLog);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);
    const bool expatRead =
        XML_Parse(parser, document.data(), static_cast<int>(document.size()), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    expatLog.flush();

    Log scannerLog;
    bool scannerRead = true;
    try {
        cpt::xlsx::XmlScanner scanner(scannerLog);
        scanner.feed(document.substr(0, split));
        scanner.feed(document.substr(split));
        scanner.finish();
    } catch (const cpt::xlsx::XmlError&) {
        scannerRead = false;
    }
    scannerLog.flush();

    bool refusedByDesign = document.find("encoding") != std::string_view::npos;
    for (std::size_t at = document.find("<!"); at != std::string_view::npos; at = document.find("<!", at + 1)) {
        const std::string_view rest = document.substr(at);
        if (!rest.starts_with("<!--") && !rest.starts_with("<![CDATA[")) refusedByDesign = true;
    }
    if (expatRead && !scannerRead && !refusedByDesign) std::abort();
    if (expatRead && scannerRead && expatLog.events != scannerLog.events) std::abort();
    return 0;
}
