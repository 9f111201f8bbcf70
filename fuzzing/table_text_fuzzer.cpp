// A text input file of any form (described file, wide or long table, any
// encoding) read into treatments. The first byte chooses the file's name
// (.csv, .tsv, .txt) and what the caller gives (sample sizes, estimates, a
// parameter); the rest is the file. What comes back must be whole: two
// values at least, finite, and a sample size of at least 1.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/common/user_error.h"
#include "core/input/text_treatments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned choice = data[0];
    const char* names[] = {"r.csv", "r.tsv", "r.txt", "table"};
    cpt::ReadOptions options;
    if ((choice & 0x04u) != 0) options.sampleSize = 20;
    if ((choice & 0x08u) != 0) options.estimates = {{"Maize", 0.2}, {"a", 1}, {"b", 2}};
    if ((choice & 0x10u) != 0) options.parameter = "r";
    if ((choice & 0x20u) != 0) options.sampleSizes = {{"Maize", 5}, {"a", 3}};
    if ((choice & 0x40u) != 0) options.transformation = cpt::Transformation::Logit;
    const std::string contents(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        for (const cpt::Treatment& t : cpt::readTextTreatments(contents, names[choice & 3u], options)) {
            if (t.values.size() < 2 || t.sampleSize < 1) std::abort();
            for (const double x : t.values) {
                if (!std::isfinite(x)) std::abort();
            }
            // Values lie within 1E+150, so no sum of them overflows.
            if (!std::isfinite(cpt::orderingMeanOf(t))) std::abort();
        }
    } catch (const cpt::UserError&) {
    }
    return 0;
}
