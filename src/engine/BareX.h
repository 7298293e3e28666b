#pragma once

// Under X without a window manager, nobody makes a full-screen window cover
// the screen: SDL asks the window manager to, and the picture then shows
// as a magnified corner of itself in a window of the old size. There the
// game resizes its window to the screen itself; elsewhere this does
// nothing.
void CoverTheScreenIfNoWindowManager();
