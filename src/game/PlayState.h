#pragma once

#include <SDL.h>

#include <list>
#include <string>

#include "engine/GameState.h"
#include "game/AnimationTable.h"
#include "game/TileGrid.h"

class Font;
class Player;
class Sound;
class Sprite;
class Zombie;
struct Ball;

// The screen on which one level is played. Each frame draws the state as it
// is, then steps the player, the throw, the balls and the zombies, and
// leaves on death, on reaching the bottom-right corner, or to the pause menu.
class PlayState : public GameState {
public:
    static constexpr int kScreenWidth = 640;
    static constexpr int kScreenHeight = 480;

    // Takes ownership of player. The level must have passed CanBuildLevel;
    // a level that cannot be built is never played: the screen ends the game
    // on its first frame as the pause menu's "Exit to Menu" does.
    PlayState(const std::string& levelName, Player* player);
    ~PlayState() override;

    PlayState(const PlayState&) = delete;
    PlayState& operator=(const PlayState&) = delete;

    void Update() override;
    void FocusLost() override { focusLost = true; }

    // True when the level image is loaded under that name, is at least
    // 16 x 12 pixels and has a green start pixel in an object row.
    static bool CanBuildLevel(const std::string& levelName);

    // Level building: fills the grid, places the player, creates zombies.
    // False (and nothing done) for an image that cannot hold a level.
    bool LoadLevel(Sprite* levelImage);
    void PlacePlayer(int column, int row);
    void AddZombie(int column, int row);

    // button 0: slow (left mouse button), 1: fast (right).
    void Throw(int button);

    void DrawTiles();
    void DrawScene();

    // One frame of game logic, without drawing. May delete this screen.
    void Step();
    void UpdatePlayer();
    void UpdateBalls();
    void UpdateZombies();

    // Reached by the other gameplay steps and by tests.
    const std::string& GetLevelName() const { return levelName; }
    bool IsLevelBuilt() const { return levelBuilt; }
    Player* GetPlayer() const { return player; }
    TileGrid& GetGrid() { return tileGrid; }
    const AnimationTable& GetAnimationTable() const { return animationTable; }
    std::list<Zombie*>& GetZombies() { return zombieList; }
    std::list<Ball*>& GetBalls() { return ballList; }
    int GetGroundHeight() const { return groundHeight; }
    float GetAimAngle() const { return aimAngle; }
    void SetAimAngle(float angle) { aimAngle = angle; }
    Sprite* GetBallSprite() const { return ballSprite; }
    Sprite* GetGroundShape() const { return groundSprites[0]; }
    Sound* GetPainSound(int i) const { return painSounds[i]; }
    Sound* GetDeathSound(int i) const { return deathSounds[i]; }
    Sound* GetBounceSound(int i) const { return bounceSounds[i]; }

private:
    void TakeAim();
    void StartMusic();
    void LeaveUnbuiltLevel();

    std::string levelName;
    TileGrid tileGrid;
    Sprite* groundSprites[4];
    int groundHeight;
    Sound* music;
    Sound* painSounds[3];
    Sound* deathSounds[3];
    Sound* bounceSounds[3];
    AnimationTable animationTable;
    std::list<Zombie*> zombieList;
    std::list<Ball*> ballList;
    Player* player;
    float aimAngle;
    Sprite* heartSprite;
    Sprite* ballSprite;
    Sprite* crosshairSprite;
    Sprite* background;
    Font* font;
    bool levelBuilt;
    // The window lost the focus since the last frame.
    bool focusLost;
};

// The music rotation over the whole run: a new game sets the counter to 2
// before its first level; every third level switches between the tracks.
extern int g_levelCounter;
extern bool g_playFirstTrack;
