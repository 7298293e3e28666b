#include "game/Truncate.h"

Sint16 TruncToInt16(float value) {
    if (value >= -32768.0f && value < 32768.0f) {
        return static_cast<Sint16>(static_cast<int>(value));
    }
    if (value > 0.0f) {
        return 32767;
    }
    if (value < 0.0f) {
        return -32768;
    }
    return 0;  // NaN
}

int TruncToInt(float value) {
    if (value >= -2147483648.0f && value < 2147483648.0f) {
        return static_cast<int>(value);
    }
    if (value > 0.0f) {
        return 2147483647;
    }
    if (value < 0.0f) {
        return -2147483647 - 1;
    }
    return 0;
}
