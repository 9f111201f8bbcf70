#pragma once
// What the page's fields add to the tables' own columns: the parameter
// chosen, and the sample sizes and estimates by treatment name.
#include <optional>
#include <string>

#include <emscripten/val.h>

#include "core/input/read_options.h"

namespace cpt::web {

// request: {parameter, sampleSizes: {NAME: text}, sampleSize: text, estimates: {NAME: text}}; an
// empty text gives nothing. The complaint about a field that cannot be read, or nothing.
std::optional<std::string> takePageReadOptions(const emscripten::val& request, ReadOptions& options);

}  // namespace cpt::web
