#include "core/report/standalone_report.h"

#include "core/common/clock.h"

namespace cpt {

RunBegin beginRun(Clock& clock) {
    const DateTime now = clock.now();
    return {now, "Cartesian paired test began at:" + formatDateTime(now)};
}

}  // namespace cpt
