// Treatment files through the whole treatment input: the count, the files,
// both readings and the numbering by mean. The first byte sets the answers
// (count 2 to 4, maintainer mode with one of the transformations, reversed
// order); the rest holds the treatment files, split at form feeds and used in
// turn when there are fewer than the count.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "desktop_model/cartesian/treatment_input.h"
#include "core/common/clock.h"
#include "core/common/user_error.h"
#include "desktop_model/state/app_context.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned answers = data[0];
    const int count = 2 + static_cast<int>(answers % 3);
    const bool maintainer = (answers & 0x04u) != 0;
    const char* transformation[] = {"0", "1", "2", "0"};
    const bool reversed = (answers & 0x40u) != 0;

    std::vector<std::string_view> files;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    for (std::size_t cut; (cut = rest.find('\f')) != std::string_view::npos; rest.remove_prefix(cut + 1)) {
        files.push_back(rest.substr(0, cut));
    }
    files.push_back(rest);

    cpt::fuzzing::clearScratchFolder();
    cpt::fuzzing::TableDialogs dialogs;
    dialogs.answerInput("Read data file one by one for paired comparison using Cartesian Product",
                        std::to_string(count));
    dialogs.answerInput("Transformation?", transformation[(answers >> 3) & 3u]);
    for (int t = 0; t < count; ++t) {
        // Relative names are found in the working folder, as the user's are.
        const std::string name = "treatment " + std::to_string(t % files.size() + 1) + ".txt";
        cpt::fuzzing::writeScratchFile(name, files[t % files.size()]);
        dialogs.answerOpenFile(name);
    }

    cpt::FixedClock clock({2026, 12, 9, 22, 32, 2});
    cpt::AppContext context(dialogs, clock, maintainer);
    context.workingDirectory = cpt::fuzzing::scratchFolder();
    context.state.ReversedSort = reversed;
    try {
        cpt::CartesianDifference(context);
    } catch (const cpt::UserError&) {
    } catch (const cpt::Cancelled&) {
    }
    return 0;
}
