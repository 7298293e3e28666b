#include "engine/Engine.h"

int main(int, char**) {
    if (!StartUp()) {
        return 1;
    }
    RunFrameLoop();
    ShutDown();
    return 0;
}
