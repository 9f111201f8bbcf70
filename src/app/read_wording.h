#pragma once
// How the readers' refusals name what the desktop's user can change: the
// window's boxes, never cpt's options (set here, for every window).
#include "core/input/read_options.h"

namespace cpt::app {

inline ReadWording desktopReadWording() {
    ReadWording wording;
    wording.parameter = "the box \"Parameter\":";
    wording.sheet = "the workbook's first sheet, which the window reads:";
    wording.sampleSize = "the box \"n\" (or \"One n for all\"):";
    wording.estimate = "the box \"Estimate\":";
    return wording;
}

}  // namespace cpt::app
