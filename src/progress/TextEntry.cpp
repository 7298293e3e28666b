#include "progress/TextEntry.h"

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"

TextEntry::TextEntry(int firstKey, int lastKey, char firstChar, std::string::size_type maxLength,
                     const SDL_Rect& confirmBox)
    : firstKey(firstKey),
      lastKey(lastKey),
      firstChar(firstChar),
      maxLength(maxLength),
      confirmBox(confirmBox) {}

void TextEntry::DrawText(Font* font, Sint16 x, Sint16 y) const {
    std::string shown = (g_lastTicks / 500) % 2 == 0 ? text + "_" : text;
    g_display->DrawText(font, x, y, kWhite, shown.c_str());
}

void TextEntry::DrawConfirm(Font* font) const {
    // A controller cannot type: say where the letters come from.
    if (g_input->HasPad()) {
        g_display->DrawText(font, 190, 270, kWhite, "Type on the keyboard");
    }
    g_display->DrawText(font, confirmBox.x, confirmBox.y, kWhite, "Press Enter to Confirm");
}

void TextEntry::HandleTyping() {
    if (text.size() < maxLength) {
        for (int key = firstKey; key <= lastKey; ++key) {
            if (g_input->IsKeyPressed(key)) {
                text += static_cast<char>(firstChar + (key - firstKey));
                break;
            }
        }
    }
    if (g_input->IsKeyPressed(kKeyBackspace) && !text.empty()) {
        text.pop_back();
    }
}

bool TextEntry::ConfirmRequested() const {
    if (g_input->IsKeyPressed(kKeyReturn)) {
        return true;
    }
    int x = g_input->GetMouseX();
    int y = g_input->GetMouseY();
    return g_input->IsButtonPressed(kButtonLeft) && x > confirmBox.x &&
           x < confirmBox.x + confirmBox.w && y > confirmBox.y && y < confirmBox.y + confirmBox.h;
}
