#pragma once

// The player's choices that outlive a game, in settings.txt beside
// high.txt: two lines, "display: full screen" or "display: window", and
// "sound: on" or "sound: off". Anything else in the file is ignored.
struct Settings {
    bool fullScreen = true;
    bool muted = false;
};

// The stored choices; a missing or unreadable file, or a line it does not
// know, leaves the defaults (full screen, sound on).
Settings LoadSettings();

// Writes settings.txt with the care high.txt gets; false where the plain
// write would fail, and then the file is as it was.
bool SaveSettings(const Settings& settings);
