#include "core/input/read_options.h"

#include <algorithm>
#include <charconv>

#include "core/common/field_reader.h"
#include "core/common/user_error.h"

namespace cpt {
namespace {

template <typename Map>
void requireKnown(const Map& given, const std::string& answerName, std::span<const std::string> namesRead) {
    for (const auto& entry : given) {
        const std::string& name = entry.first;
        if (std::find(namesRead.begin(), namesRead.end(), name) == namesRead.end()) {
            throw UserError(answerName + " names the treatment \"" + quotedExcerpt(name) +
                            "\", but no file given holds a treatment of that name.");
        }
    }
}

}  // namespace

std::optional<std::int32_t> sampleSizeOf(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
    return value;
}

void requireNamedTreatments(std::span<const std::string> namesRead, const ReadOptions& options) {
    requireKnown(options.sampleSizes, options.wording.sampleSize, namesRead);
    requireKnown(options.estimates, options.wording.estimate, namesRead);
}

}  // namespace cpt
