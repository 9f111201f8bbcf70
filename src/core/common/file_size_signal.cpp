#include "core/common/file_size_signal.h"

#include <csignal>

namespace cpt {

void ignoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace cpt
