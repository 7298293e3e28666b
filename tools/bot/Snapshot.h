#pragma once

#include <cstdint>

class HeadlessPlatform;

// What the bot knows of a game after a move: how it stands, the player, the
// zombies and the balls in flight, read from the play screen in front. A
// plain record, so a process that played the move can hand it over through
// shared memory.
struct Snapshot {
    enum Outcome { kPlaying, kWon, kLost };
    static constexpr int kMostZombies = 48;
    static constexpr int kMostBalls = 8;

    int outcome = kPlaying;
    int frame = 0;  // frames since the level started
    float x = 0, y = 0, vy = 0;
    int width = 0, height = 0;
    bool facingLeft = false;
    int health = 0, balls = 0, score = 0;
    int zombies = 0;
    float zombieX[kMostZombies] = {};
    int zombieRow[kMostZombies] = {};
    int zombieAnim[kMostZombies] = {};
    int flying = 0;
    float ballX[kMostBalls] = {}, ballY[kMostBalls] = {};
    // On a won game: the program's frame at the tally, and the level's time.
    uint32_t tallyFrame = 0;
    int tallyMs = 0;

    // Reads the game as it stands after frame frames of the level.
    static Snapshot Take(const HeadlessPlatform& game, int frame);
    // Two games alike here play alike from here on, as far as the search
    // tells them apart: the player to the pixel, the zombies to four pixels
    // and their walk, the balls to eight pixels; of the zombies and balls
    // only those not above him, since he never climbs.
    uint64_t Hash() const;
    bool Broken(int zombie) const { return zombieAnim[zombie] >= 4; }
};
