#pragma once

namespace cpt {

// A file-size limit (ulimit -f) must not kill the program halfway through a
// file: with the signal ignored the write comes back short, the checked
// writer reports it and the file is removed like any failed output.
// Called once at start-up by each program.
void ignoreFileSizeSignal();

}  // namespace cpt
