#pragma once

#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "bot/GamePool.h"
#include "bot/RouteMap.h"
#include "bot/Snapshot.h"

class HeadlessPlatform;
class RecordingPlatform;
class Recording;

// Looks for a winning game of the level in front by playing the real game
// (GamePool): from each game it keeps, it tries short moves of a few frames
// (wait, walk or hop either way, and, with a zombie near, a throw slow or
// fast at a few aims). Games alike (Snapshot::Hash) are kept once.
//
// The next move to try is taken in turn from two lists: the most promising
// (the fewest frames played and left to the way out by RouteMap, a heart
// lost counting as a detour, a zombie broken as a short cut) and the one
// nearest the way out whatever it cost. The first finds the careful way,
// the second gets past a spot where every careful way costs the same.
// A move is only played when its turn comes; until then it is taken to
// promise what its game did, give or take its kind.
//
// The search ends when a game reaches the tally, when no game is left, or
// when its time is up.
class LevelSearch {
public:
    struct Options {
        double seconds = 1800;   // time to search
        int liveGames = 600;     // games (processes) kept at most
        int moveFrames = 8;      // a move's frames near a zombie or in the air
        int quietFrames = 24;    // a walk's or a wait's with no zombie near
        double heartCost = 150;  // frames a lost heart counts for,
        double ballCost = 60;    // a ball out of his hands
        double killGain = 40;    // and a broken zombie
        double shortCost = 400;  // and each zombie ahead without a ball or heart for it
        double weight = 2;       // of the frames left, against those played
        int tallyFrames = 120;   // frames of the tally written after the win
        int mostFrames = 9000;   // frames of play before a game is given up
        bool trace = false;      // a line on stderr for each game kept
    };
    struct Result {
        bool won = false;
        bool timedOut = false;
        bool failed = false;  // a game process stopped answering, or the file
        double seconds = 0;
        int games = 0;      // games tried
        Snapshot end;       // the won game at the tally
        Snapshot furthest;  // the game that came nearest the way out
    };

    LevelSearch(HeadlessPlatform& game, RecordingPlatform& recorder, const Options& options);

    // Searches; a won game is written to path after header's lines, with
    // its tally.
    Result Run(const std::string& path, const Recording& header);

private:
    // A game waiting to be opened up (move -1), or a move not yet tried from
    // one; in both lists by its keys.
    struct Entry {
        int slot;
        int move;
        double promise;
        double left;
    };
    void Push(const Entry& entry);
    int Pop(bool nearest);
    // An entry is gone: the game's process ends when no entry needs it.
    void Release(int slot);
    // Takes a reported game, made by move, into the lists, unless it is
    // lost, a repeat or hopeless (then it ends).
    void Weigh(int slot, int move);
    void OpenUp(const Entry game);

    HeadlessPlatform& game;
    RecordingPlatform& recorder;
    Options options;
    GamePool* pool = nullptr;
    const RouteMap* map = nullptr;
    Result result;
    double nearest = RouteMap::kNever;
    std::vector<Entry> entries;
    std::set<std::pair<double, int>> byPromise;
    std::set<std::pair<double, int>> byLeft;
    std::vector<int> needed;  // entries that need each slot's game
    int live = 0;
    std::unordered_set<uint64_t> seen;
};
