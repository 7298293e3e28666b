#include "engine/ResourceManager.h"

#include <algorithm>

#include "engine/DataFile.h"
#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/HostPath.h"
#include "engine/Sound.h"
#include "engine/SoundSystem.h"
#include "engine/Sprite.h"

namespace {

const Uint32 kColourKey = 0xFF000000;

template <typename T>
void Enter(std::map<std::string, T*>& table, const std::string& name, T* item) {
    auto found = table.find(name);
    if (found != table.end()) {
        // Listed twice: the later load replaces the earlier one.
        delete found->second;
        found->second = item;
    } else {
        table.emplace(name, item);
    }
}

}  // namespace

void ReadManifest(const std::string& manifestPath,
                  const std::function<void(const std::string&)>& load) {
    std::string text;
    if (!ReadDataFile(manifestPath, kMaxListBytes, text)) {
        return;
    }
    std::string::size_type start = 0, end;
    do {
        end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        StripCarriageReturn(line);
        load(line);
        start = end + 1;
    } while (end < text.size());
}

ResourceManager::ResourceManager(const char* spriteManifest, const char* soundManifest)
    : spriteManifestPath(spriteManifest), soundManifestPath(soundManifest) {}

ResourceManager::~ResourceManager() {
    for (auto& entry : spriteTable) {
        delete entry.second;
    }
    for (auto& entry : soundTable) {
        delete entry.second;
    }
    spriteTable.clear();
    soundTable.clear();
}

void ResourceManager::LoadSprites() {
    ReadManifest(spriteManifestPath, [this](const std::string& name) {
        if (name.empty() || !g_display) {
            return;
        }
        Sprite* sprite = g_display->LoadSprite(name.c_str(), kColourKey);
        if (sprite) {
            Enter(spriteTable, name, sprite);
        }
    });
}

void ResourceManager::LoadSounds() {
    ReadManifest(soundManifestPath, [this](const std::string& name) {
        if (name.empty() || !g_sound) {
            return;
        }
        Sound* sound = g_sound->LoadSound(name.c_str());
        if (sound) {
            Enter(soundTable, name, sound);
        }
    });
}

Sprite* ResourceManager::GetSprite(const char* name) const {
    auto found = spriteTable.find(name ? name : "");
    return found == spriteTable.end() ? nullptr : found->second;
}

Sound* ResourceManager::GetSound(const char* name) const {
    auto found = soundTable.find(name ? name : "");
    return found == soundTable.end() ? nullptr : found->second;
}
