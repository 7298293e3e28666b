#include <cstdlib>

namespace {

// Every test process runs without a window or a sound card, whatever the
// environment says; set before any test touches SDL.
const bool kHeadless =
    setenv("SDL_VIDEODRIVER", "dummy", 1) == 0 && setenv("SDL_AUDIODRIVER", "dummy", 1) == 0;

}  // namespace
