#pragma once

#include <SDL.h>

#include <string>
#include <vector>

class Font;
class Sprite;

// One entry of a menu: its text and the top-left corner where it is drawn.
struct MenuItem {
    const char* text;
    Sint16 x;
    Sint16 y;
};

// The vertical text menu of the main and pause menus: the menu pictures,
// the entries with the highlighted one in white and the others in grey,
// arrows to move the highlight, Space or Return to choose.
class MenuList {
public:
    MenuList(const MenuItem* items, int count);
    ~MenuList();

    MenuList(const MenuList&) = delete;
    MenuList& operator=(const MenuList&) = delete;

    // The whole picture, presented.
    void Draw() const;
    // Down (which wins over Up) or Up moves the highlight, wrapping; true when
    // Space or Return chose the entry highlighted after the move.
    bool HandleInput();
    int Selected() const { return selected; }

private:
    Sprite* background;
    Sprite* title;
    Font* font;
    std::vector<std::string> texts;
    std::vector<Sint16> itemX;
    std::vector<Sint16> itemY;
    int selected;
};
