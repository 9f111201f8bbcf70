// A data file through the whole sort-and-count: reading, sorting, counting
// and its three files. The first byte sets the answers (the kind of file,
// serial numbers or not, the decimal limit); the rest is the data file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/common/clock.h"
#include "desktop_model/common/dialogs.h"
#include "core/common/user_error.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/sorting/sort_and_count.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned answers = data[0];
    const int kinds[] = {cpt::AnswerYes, cpt::AnswerNo, cpt::AnswerCancel, cpt::AnswerNo};
    const char* decimals[] = {"-1", "0", "3", "15"};

    cpt::fuzzing::clearScratchFolder();
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    cpt::fuzzing::TableDialogs dialogs;
    dialogs.answerMessage("Sort and count general data or bootstrap results", kinds[answers & 3u]);
    dialogs.answerMessage("Data formate", (answers & 0x04u) != 0 ? cpt::AnswerYes : cpt::AnswerNo);
    dialogs.answerOpenFile(cpt::fuzzing::writeScratchFile("data.txt", file).string());
    dialogs.answerInput("Limit the decimal points?", decimals[(answers >> 3) & 3u]);

    cpt::FixedClock clock({2026, 12, 9, 22, 32, 2});
    cpt::AppContext context(dialogs, clock, false);
    context.workingDirectory = cpt::fuzzing::scratchFolder();
    try {
        cpt::SortForBootstrapResults(context);
    } catch (const cpt::UserError&) {
    } catch (const cpt::Cancelled&) {
    }
    return 0;
}
