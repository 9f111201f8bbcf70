#include "xlsx/xml_scanner.h"

#include <charconv>

namespace cpt::xlsx {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool isNameEnd(char c) { return isSpace(c) || c == '/' || c == '>' || c == '='; }

}  // namespace

std::string XmlScanner::decoded(std::string_view raw, bool attributeValue) const {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '<' && attributeValue) throw XmlError("a '<' in an attribute value");
        if (c != '&') {
            if (attributeValue && isSpace(c)) {
                if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
                out.push_back(' ');
            } else {
                out.push_back(c);
            }
            continue;
        }
        const std::size_t end = raw.find(';', i);
        if (end == std::string_view::npos) throw XmlError("an '&' that starts no reference");
        const std::string_view name = raw.substr(i + 1, end - i - 1);
        if (name == "lt") {
            out.push_back('<');
        } else if (name == "gt") {
            out.push_back('>');
        } else if (name == "amp") {
            out.push_back('&');
        } else if (name == "quot") {
            out.push_back('"');
        } else if (name == "apos") {
            out.push_back('\'');
        } else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            std::uint32_t code = 0;
            const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size() || code == 0 ||
                code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                throw XmlError("a bad character reference");
            }
            appendUtf8(out, code);
        } else {
            throw XmlError("an unknown entity");
        }
        i = end;
    }
    return out;
}

std::string XmlScanner::withLineFeeds(std::string_view raw) {
    // Line ends become LF, a CR LF split between chunks too.
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\n' && lastWasCr_ && i == 0) continue;
        if (c == '\r') {
            text.push_back('\n');
            if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
        } else {
            text.push_back(c);
        }
    }
    lastWasCr_ = !raw.empty() && raw.back() == '\r';
    return text;
}

void XmlScanner::sendText(std::string_view raw) {
    if (raw.empty()) return;
    if (open_.empty()) {
        for (const char c : raw) {
            if (!isSpace(c)) throw XmlError("text outside the root element");
        }
        return;
    }
    std::string text = withLineFeeds(raw);
    if (text.find('&') != std::string::npos) text = decoded(text, false);
    if (!text.empty()) handler_.text(text);
}

void XmlScanner::tag(std::string_view markup) {
    // markup: between '<' and '>'
    if (markup.starts_with('/')) {
        std::string_view name = markup.substr(1);
        while (!name.empty() && isSpace(name.back())) name.remove_suffix(1);
        if (open_.empty() || open_.back() != name) throw XmlError("an end tag that closes no open element");
        handler_.end(name);
        open_.pop_back();
        return;
    }
    const bool empty = markup.ends_with('/');
    if (empty) markup.remove_suffix(1);
    std::size_t i = 0;
    while (i < markup.size() && !isNameEnd(markup[i])) ++i;
    const std::string name(markup.substr(0, i));
    if (name.empty()) throw XmlError("a tag without a name");
    if (open_.empty() && rootSeen_) throw XmlError("a second root element");
    attributeTexts_.clear();
    for (;;) {
        while (i < markup.size() && isSpace(markup[i])) ++i;
        if (i == markup.size()) break;
        const std::size_t nameStart = i;
        while (i < markup.size() && !isNameEnd(markup[i])) ++i;
        const std::string_view attributeName = markup.substr(nameStart, i - nameStart);
        while (i < markup.size() && isSpace(markup[i])) ++i;
        if (attributeName.empty() || i == markup.size() || markup[i] != '=') throw XmlError("a bad attribute");
        ++i;
        while (i < markup.size() && isSpace(markup[i])) ++i;
        if (i == markup.size() || (markup[i] != '"' && markup[i] != '\'')) throw XmlError("an unquoted attribute");
        const char quote = markup[i++];
        const std::size_t close = markup.find(quote, i);
        if (close == std::string_view::npos) throw XmlError("an attribute value that is never closed");
        for (std::size_t a = 0; a < attributeTexts_.size(); a += 2) {
            if (attributeTexts_[a] == attributeName) throw XmlError("an attribute given twice");
        }
        attributeTexts_.emplace_back(attributeName);
        attributeTexts_.push_back(decoded(markup.substr(i, close - i), true));
        i = close + 1;
        if (i < markup.size() && !isSpace(markup[i])) throw XmlError("attributes without a blank between them");
    }
    attributePointers_.clear();
    for (const std::string& text : attributeTexts_) attributePointers_.push_back(text.c_str());
    attributePointers_.push_back(nullptr);
    rootSeen_ = true;
    lastWasCr_ = false;
    open_.push_back(name);
    handler_.start(name, attributePointers_.data());
    if (empty) {
        handler_.end(name);
        open_.pop_back();
    }
}

bool XmlScanner::step() {
    const std::string_view rest = std::string_view(pending_).substr(start_);
    if (rest.empty()) return false;
    if (rest[0] != '<') {
        std::size_t end = rest.find('<');
        if (end == std::string_view::npos) {
            // All of it but a reference that may go on in the next chunk.
            end = rest.size();
            const std::size_t amp = rest.rfind('&');
            if (amp != std::string_view::npos && rest.find(';', amp) == std::string_view::npos) end = amp;
            if (end == 0) {
                if (rest.size() > MaxMarkupLength) throw XmlError("a reference that never ends");
                return false;
            }
        }
        sendText(rest.substr(0, end));
        start_ += end;
        return true;
    }
    auto ending = [&](std::string_view open, std::string_view close) -> std::size_t {
        const std::size_t at = rest.find(close, open.size());
        if (at == std::string_view::npos) return 0;
        return at + close.size();
    };
    // A chunk may end inside the opening of a comment or CDATA section.
    for (const std::string_view opening : {std::string_view("<!--"), std::string_view("<![CDATA[")}) {
        if (rest.size() < opening.size() && opening.starts_with(rest)) return false;
    }
    std::size_t length = 0;
    if (rest.starts_with("<!--")) {
        length = ending("<!--", "-->");
    } else if (rest.starts_with("<![CDATA[")) {
        length = ending("<![CDATA[", "]]>");
        if (length != 0) {
            if (open_.empty()) throw XmlError("a CDATA section outside the root element");
            lastWasCr_ = false;
            const std::string text = withLineFeeds(rest.substr(9, length - 12));
            if (!text.empty()) handler_.text(text);
        }
    } else if (rest.starts_with("<?")) {
        length = ending("<?", "?>");
    } else if (rest.starts_with("<!")) {
        if (rest.size() < 9 && std::string_view("<!DOCTYPE").starts_with(rest)) return false;
        throw XmlError("a document type declaration or an unknown declaration");
    } else {
        // A '>' inside a quoted attribute value does not end the tag.
        char quote = 0;
        for (std::size_t i = 1; i < rest.size(); ++i) {
            const char c = rest[i];
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                length = i + 1;
                break;
            }
        }
        if (length != 0) tag(rest.substr(1, length - 2));
    }
    if (length == 0) {
        if (rest.size() > MaxMarkupLength) throw XmlError("markup longer than 1 MB");
        return false;
    }
    start_ += length;
    lastWasCr_ = false;
    return true;
}

void XmlScanner::feed(std::string_view chunk) {
    pending_.append(chunk);
    if (!begun_) {
        // A UTF-8 byte-order mark is no text.
        if (pending_.size() < 3 && std::string_view("\xEF\xBB\xBF").starts_with(pending_)) return;
        if (pending_.starts_with("\xEF\xBB\xBF")) start_ = 3;
        begun_ = true;
    }
    while (step()) {
    }
    // Keep only what is still unhandled.
    pending_.erase(0, start_);
    start_ = 0;
}

void XmlScanner::finish() {
    if (!begun_ && !pending_.empty()) throw XmlError("no root element");
    if (start_ < pending_.size()) throw XmlError("the document ends inside markup");
    if (!rootSeen_) throw XmlError("no root element");
    if (!open_.empty()) throw XmlError("the document ends before </" + open_.back() + ">");
}

}  // namespace cpt::xlsx
