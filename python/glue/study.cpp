// The study table of several runs and cpt study's files of it.
#include <memory>

#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/study/study_file_set.h"
#include "glue.h"
#include "study_files/study_table_files.h"

namespace cptpy {

cpt::StudyTable studyTableOf(const StudyRequest& request) {
    std::vector<cpt::StudyParameterRun> runs;
    for (std::size_t p = 0; p < request.runs.size(); ++p) {
        cpt::StudyParameterRun run;
        run.parameter = request.parameters.at(p);
        run.result = request.runs[p]->result;
        runs.push_back(std::move(run));
    }
    cpt::StudyOptions options;
    options.treatmentOrder = request.order;
    options.digits = request.digits;
    return cpt::buildStudyTable(runs, options);
}

std::vector<std::filesystem::path> writeStudyTable(const cpt::StudyTable& table, const std::filesystem::path& folder,
                                                   const std::vector<std::string>& formats,
                                                   const std::string& fixedTime) {
    const std::vector<cpt::StudyFormat> chosen = cpt::studyFormatsNamed(formats);
    std::unique_ptr<cpt::Clock> clock;
    if (fixedTime.empty()) {
        clock = std::make_unique<cpt::SystemClock>();
    } else {
        const std::optional<cpt::DateTime> moment = cpt::parseDateTime(fixedTime);
        if (!moment) {
            throw cpt::UserError("fixed_time expects a date and time as 2026-12-09 22:32:02, not \"" + fixedTime +
                                 "\".");
        }
        clock = std::make_unique<cpt::FixedClock>(*moment);
    }
    return cpt::writeStudyTableFiles(table, std::filesystem::absolute(folder).lexically_normal(), chosen,
                                     clock->now());
}

}  // namespace cptpy
