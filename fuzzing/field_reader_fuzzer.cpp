// The field reader on any bytes: the first byte chooses which kind of field
// each read asks for (text, number, integer, skipped), the rest is the file.
// A number it hands back must be finite.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/common/field_reader.h"
#include "core/common/user_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned kinds = data[0];
    cpt::FieldReader reader(std::string(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz.txt");
    try {
        for (unsigned field = 0; !reader.atEnd(); ++field) {
            switch ((kinds >> (2 * (field % 4))) & 3u) {
                case 0: reader.readText("a text"); break;
                case 1:
                    if (!std::isfinite(reader.readNumber("a number"))) std::abort();
                    break;
                case 2: reader.readInteger("a whole number"); break;
                default: reader.skip("a label"); break;
            }
        }
    } catch (const cpt::UserError&) {
    }
    return 0;
}
