// A sort-and-count's classes are written row by row: the text must be the one
// the whole document would dump to.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "batch/batch_outcome.h"

namespace cpt::testing {
namespace {

nlohmann::json wholeDocument(const batch::BatchOutcome& outcome) {
    nlohmann::json document = outcome.document;
    nlohmann::json classes = nlohmann::json::array();
    for (const batch::DocumentClass& row : outcome.classes) {
        classes.push_back({{"value", row.value}, {"count", row.count}});
    }
    if (!outcome.classes.empty()) document["classes"] = classes;
    return document;
}

TEST(Document, ClassesWrittenRowByRowMatchTheWholeDump) {
    const struct {
        const char* label;
        std::vector<batch::DocumentClass> classes;
    } cases[] = {
        {"no class table", {}},
        {"one class", {{-0.067208, 1}}},
        {"number forms", {{-1e-05, 3}, {-0.0, 1}, {0.0, 2}, {2.0, 7}, {2.5, 1e20}, {0.1 + 0.2, 1}, {123456789012.5, 9},
                          {1e21, 4}, {std::numeric_limits<double>::denorm_min(), 1}}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.label);
        batch::BatchOutcome outcome;
        // Text that is not UTF-8 is replaced in both.
        outcome.document = {{"kind", "General"}, {"name", "Caf\xE9"}, {"values", 13}, {"mean", 0.5},
                            {"files", {"/tmp/a-2_Sorted.txt", "/tmp/b"}}, {"code", "c\"lasses\": []"}};
        outcome.classes = test.classes;
        EXPECT_EQ(batch::documentText(outcome),
                  wholeDocument(outcome).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n");
    }
}

}  // namespace
}  // namespace cpt::testing
