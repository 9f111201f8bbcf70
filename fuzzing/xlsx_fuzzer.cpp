// Any bytes as an .xlsx workbook: the archive, its XML parts, the cells. The
// first byte chooses what the caller gives (sample sizes, estimates, a sheet
// name); the rest is the file. Bad bytes may only be refused.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/common/user_error.h"
#include "xlsx/xlsx_treatments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned choice = data[0];
    cpt::ReadOptions options;
    if ((choice & 0x01u) != 0) options.sampleSize = 20;
    if ((choice & 0x02u) != 0) options.estimates = {{"Maize", 0.2}, {"a", 1}, {"b", 2}};
    if ((choice & 0x04u) != 0) options.sheet = "Data";
    if ((choice & 0x08u) != 0) options.parameter = "r";
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        for (const cpt::Treatment& t : cpt::xlsx::readXlsxTreatments(bytes, "fuzz.xlsx", options)) {
            if (t.values.size() < 2 || t.sampleSize < 1) std::abort();
            for (const double x : t.values) {
                if (!std::isfinite(x)) std::abort();
            }
        }
    } catch (const cpt::UserError&) {
    }
    return 0;
}
