#include "xlsx/zip_parts.h"

#include <expat.h>
#include <zip.h>

#include <cstring>
#include <exception>
#include <memory>
#include <vector>

#include "core/common/user_error.h"

namespace cpt::xlsx {
namespace {

constexpr char NamespaceSeparator = '\x1F';
constexpr std::size_t ChunkSize = std::size_t{64} << 10;

// Expat is C: an exception must not unwind through it, so the first one is
// kept, the parser stopped, and the exception thrown again after it returns.
struct Session {
    XML_Parser parser;
    XmlHandler& handler;
    std::exception_ptr failure;

    template <typename Call>
    void guarded(Call call) {
        if (failure) return;
        try {
            call();
        } catch (...) {
            failure = std::current_exception();
            XML_StopParser(parser, XML_FALSE);
        }
    }
};

void onStart(void* data, const char* name, const char** attributes) {
    auto* session = static_cast<Session*>(data);
    session->guarded([&] { session->handler.start(localName(name), attributes); });
}

void onEnd(void* data, const char* name) {
    auto* session = static_cast<Session*>(data);
    session->guarded([&] { session->handler.end(localName(name)); });
}

void onText(void* data, const char* text, int length) {
    auto* session = static_cast<Session*>(data);
    session->guarded([&] { session->handler.text(std::string_view(text, static_cast<std::size_t>(length))); });
}

struct ParserFree {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};
struct EntryClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

bool ZipParts::parse(const std::string& entry, XmlHandler& handler) {
    std::unique_ptr<zip_file_t, EntryClose> file(zip_fopen(archive_, entry.c_str(), 0));
    if (!file) return false;
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreateNS(nullptr, NamespaceSeparator));
    if (!parser) throw std::bad_alloc();
    Session session{parser.get(), handler, nullptr};
    XML_SetUserData(parser.get(), &session);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    const std::string refused = "The file \"" + fileName_ + "\" cannot be used: ";
    std::vector<char> chunk(ChunkSize);
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), chunk.data(), chunk.size());
        if (got < 0) {
            refuseUnpackedPart(fileName_, entry, zip_error_strerror(zip_file_get_error(file.get())));
        }
        const bool last = got == 0;
        const XML_Status status = XML_Parse(parser.get(), chunk.data(), static_cast<int>(got), last);
        if (session.failure) std::rethrow_exception(session.failure);
        if (status != XML_STATUS_OK) {
            throw UserError(refused + "its part " + entry + " is not well-formed XML (line " +
                            std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                            XML_ErrorString(XML_GetErrorCode(parser.get())) + "); the workbook is damaged.");
        }
        if (last) return true;
    }
}

}  // namespace cpt::xlsx
