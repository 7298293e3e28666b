#include "screens/MenuList.h"

#include "engine/Display.h"
#include "engine/Font.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "engine/Keys.h"
#include "engine/ResourceManager.h"

MenuList::MenuList(const MenuItem* items, int count)
    : background(g_resources->GetSprite("gdat\\background.png")),
      title(g_resources->GetSprite("gdat\\menutitle.png")),
      font(g_display->LoadFont("gdat\\anglepoi.ttf", 32)),
      selected(0) {
    for (int i = 0; i < count; ++i) {
        texts.push_back(items[i].text);
        itemX.push_back(items[i].x);
        itemY.push_back(items[i].y);
    }
}

MenuList::~MenuList() {
    delete font;
}

void MenuList::Draw() const {
    g_display->Blit(background, 0, 0);
    g_display->Blit(title, 0, 0);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        g_display->DrawText(font, itemX[i], itemY[i],
                            static_cast<int>(i) == selected ? kWhite : kGrey, texts[i].c_str());
    }
    g_display->Flip();
}

bool MenuList::HandleInput() {
    int count = static_cast<int>(texts.size());
    if (g_input->IsKeyPressed(kKeyDown)) {
        selected = (selected + 1) % count;
    } else if (g_input->IsKeyPressed(kKeyUp)) {
        selected = (selected + count - 1) % count;
    }
    return g_input->IsKeyPressed(kKeySpace) || g_input->IsKeyPressed(kKeyReturn);
}
