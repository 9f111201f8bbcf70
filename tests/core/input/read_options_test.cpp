#include "core/input/read_options.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/common/user_error.h"

namespace cpt {
namespace {

TEST(ReadOptions, ASampleSizeIsAWholeNumberOfAtLeastOne) {
    const struct {
        const char* text;
        std::optional<std::int32_t> read;
    } cases[] = {
        {"1", 1},           {"60", 60},           {"2147483647", 2147483647}, {"0", std::nullopt},
        {"-3", std::nullopt}, {"", std::nullopt}, {"6x", std::nullopt},        {"6.0", std::nullopt},
        {" 6", std::nullopt}, {"2147483648", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(sampleSizeOf(c.text), c.read) << '"' << c.text << '"';
}

TEST(ReadOptions, ANameGivenMustNameATreatmentRead) {
    ReadOptions options;
    options.wording.sampleSize = "sample_size";
    options.wording.estimate = "estimate";
    const std::vector<std::string> read{"Maize", "Wheat"};
    options.sampleSizes["Maize"] = 60;
    options.estimates["Wheat"] = 0.16;
    EXPECT_NO_THROW(requireNamedTreatments(read, options));

    options.estimates["Oat"] = 0.1;
    try {
        requireNamedTreatments(read, options);
        ADD_FAILURE() << "an estimate of no treatment read was taken";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "estimate names the treatment \"Oat\", but no file given holds a treatment of that name.");
    }
    options.estimates.erase("Oat");
    options.sampleSizes["Rye"] = 3;
    EXPECT_THROW(requireNamedTreatments(read, options), UserError);
}

}  // namespace
}  // namespace cpt
