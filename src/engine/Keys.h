#pragma once

// SDL 1.2 key codes and mouse buttons the game asks about.
enum {
    kKeyBackspace = 8,
    kKeyReturn = 13,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKey0 = 48,
    kKey9 = 57,
    kKeyA = 97,
    kKeyM = 109,
    kKeyZ = 122,
    kKeyUp = 273,
    kKeyDown = 274,
    kKeyRight = 275,
    kKeyLeft = 276,
    kKeyF11 = 292,
    kKeyRightAlt = 307,
    kKeyLeftAlt = 308,
    // SDL 1.2's SDLK_LAST: every key code lies below it.
    kKeyCount = 323,
};

enum {
    kButtonLeft = 1,
    kButtonRight = 3,
};
