#pragma once

#include <SDL.h>

#include <string>

class Font;

// The typed field of the password and name entries: one character per frame
// from a range of keys (the first newly pressed one wins), Backspace, a
// blinking cursor, and confirmation by Return or by a left click strictly
// inside the box where "Press Enter to Confirm" stands.
class TextEntry {
public:
    // Keys firstKey to lastKey type firstChar onwards, up to maxLength.
    TextEntry(int firstKey, int lastKey, char firstChar, std::string::size_type maxLength,
              const SDL_Rect& confirmBox);

    const std::string& Text() const { return text; }
    // The text with "_" after it while g_lastTicks / 500 is even.
    void DrawText(Font* font, Sint16 x, Sint16 y) const;
    void DrawConfirm(Font* font) const;
    // A typed character first, then Backspace: both in one frame cancel out.
    void HandleTyping();
    bool ConfirmRequested() const;

private:
    int firstKey;
    int lastKey;
    char firstChar;
    std::string::size_type maxLength;
    SDL_Rect confirmBox;
    std::string text;
};
