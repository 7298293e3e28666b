#pragma once

#include <functional>
#include <map>
#include <string>

class Sprite;
class Sound;

// Loads every sprite and sound listed in the two manifests once and lends
// them by their exact manifest line ("gdat\ball.png") for the whole run.
class ResourceManager {
public:
    ResourceManager(const char* spriteManifest, const char* soundManifest);
    virtual ~ResourceManager();

    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    void LoadSprites();
    void LoadSounds();
    Sprite* GetSprite(const char* name) const;
    Sound* GetSound(const char* name) const;

    std::size_t SpriteCount() const { return spriteTable.size(); }
    std::size_t SoundCount() const { return soundTable.size(); }

private:
    std::string spriteManifestPath;
    std::string soundManifestPath;
    std::map<std::string, Sprite*> spriteTable;
    std::map<std::string, Sound*> soundTable;
};

// Reads a manifest and calls load for every line, the final empty line of a
// file that ends with a line break included. A missing file reads nothing.
void ReadManifest(const std::string& manifestPath,
                  const std::function<void(const std::string&)>& load);
