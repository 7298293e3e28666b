#include "bot/LevelSearch.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "engine/HeadlessPlatform.h"
#include "engine/Keys.h"
#include "game/PlayState.h"

namespace {

// The moves worth trying from a game, each with how much less it promises
// than the game itself before it is played, in frames: on along the way
// and a fetch first, then an ambush, a wait, a throw, back, and a hop last.
// With no zombie near and his feet on the ground, walks and waits are
// longer.
std::vector<std::pair<Move, double>> ChooseMoves(const Snapshot& s, int way,
                                                 const LevelSearch::Options& options) {
    // Throws only towards a zombie near enough to matter: in his row or the
    // two below it, at most seven cells away.
    const int feetRow = static_cast<int>(s.y + s.height) / 80;
    const float centre = s.x + s.width / 2.0f;
    bool towards[2] = {false, false};
    bool near = false;
    for (int i = 0; i < s.zombies; ++i) {
        const float away = s.zombieX[i] + 13 - centre;
        if (!s.Broken(i) && s.zombieRow[i] >= feetRow && s.zombieRow[i] <= feetRow + 2 &&
            std::fabs(away) < 280) {
            towards[away > 0] = true;
            near = near || (s.zombieRow[i] <= feetRow + 1 && std::fabs(away) < 200);
        }
    }
    std::vector<std::pair<Move, double>> moves;
    if (s.vy != 0) {
        // In the air only where he comes down matters.
        for (int dir : {-1, 0, 1}) {
            Move landing;
            landing.kind = Move::kLanding;
            landing.dir = dir;
            moves.push_back({landing, dir == -way ? 12.0 : dir == 0 ? 6.0 : 0.0});
        }
        return moves;
    }
    for (int dir : {-1, 0, 1}) {
        Move walk;
        walk.dir = dir;
        walk.frames = near ? options.moveFrames : options.quietFrames;
        const double back = dir == -way ? 12 : 0;
        moves.push_back({walk, dir == 0 ? 6 : back});
        if (dir != 0) {
            walk.hop = true;
            walk.frames = options.moveFrames;
            moves.push_back({walk, back + 20});
        }
    }
    // A ball on his row is fetched; a zombie on it can be waited for.
    bool ballHere = false, zombieHere[2] = {false, false};
    for (int i = 0; i < s.flying; ++i) {
        ballHere = ballHere || static_cast<int>(s.ballY[i] + 5) / 80 == feetRow;
    }
    for (int i = 0; i < s.zombies; ++i) {
        if (!s.Broken(i) && s.zombieRow[i] == feetRow && s.vy == 0) {
            zombieHere[s.zombieX[i] + 13 > centre] = true;
        }
    }
    if (ballHere) {
        Move fetch;
        fetch.kind = Move::kFetch;
        moves.push_back({fetch, 2});
    }
    if (s.balls == 0) {
        return moves;
    }
    for (int side = 0; side < 2; ++side) {
        for (int range : {90, 150}) {
            if (zombieHere[side]) {
                Move ambush;
                ambush.kind = Move::kAmbush;
                ambush.dir = side ? 1 : -1;
                ambush.range = range;
                moves.push_back({ambush, 4});
            }
        }
    }
    for (int side = 0; side < 2; ++side) {
        for (int aim : {180, 240, 320, 420}) {
            if (!towards[side]) {
                continue;
            }
            Move fast;
            fast.frames = options.moveFrames;
            fast.dir = side ? 1 : -1;
            fast.button = kButtonRight;
            fast.aim = aim;
            moves.push_back({fast, 8});
            if (aim == 240 || aim == 420) {
                Move slow = fast;
                slow.button = kButtonLeft;
                moves.push_back({slow, 14});
            }
        }
    }
    return moves;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

LevelSearch::LevelSearch(HeadlessPlatform& playing, RecordingPlatform& recording,
                         const Options& chosen)
    : game(playing), recorder(recording), options(chosen) {}

void LevelSearch::Push(const Entry& entry) {
    entries.push_back(entry);
    const int id = static_cast<int>(entries.size()) - 1;
    byPromise.insert({entry.promise, id});
    byLeft.insert({entry.left, id});
    live += needed[entry.slot]++ == 0;
}

int LevelSearch::Pop(bool nearestFirst) {
    const int id = (nearestFirst ? byLeft : byPromise).begin()->second;
    byPromise.erase({entries[id].promise, id});
    byLeft.erase({entries[id].left, id});
    return id;
}

void LevelSearch::Release(int slot) {
    if (--needed[slot] == 0) {
        --live;
        pool->End(slot);
    }
}

void LevelSearch::Weigh(int slot, int move) {
    const Snapshot& s = pool->Game(slot);
    ++result.games;
    const double left = map->FromPlayer(s.x + s.width / 2.0f, s.y + s.height, s.vy);
    if (s.outcome != Snapshot::kPlaying || s.frame > options.mostFrames ||
        left >= RouteMap::kNever || !seen.insert(s.Hash()).second) {
        pool->End(slot);
        return;
    }
    if (left < nearest) {
        nearest = left;
        result.furthest = s;
    }
    int broken = 0;
    for (int i = 0; i < s.zombies; ++i) {
        broken += s.Broken(i);
    }
    // Without a ball or a heart to spare for each zombie ahead he is likely
    // to lose: far down both lists. A ball in flight is his again if it is
    // no higher than his row: he can only go down.
    int spare = s.health - 1 + s.balls;
    for (int i = 0; i < s.flying; ++i) {
        spare += static_cast<int>(s.ballY[i] + 5) / 80 >= static_cast<int>(s.y + s.height) / 80;
    }
    const double shortfall = std::max(0, map->ZombiesAhead(s) - spare) * options.shortCost;
    const double cost = options.heartCost * (3 - s.health) + options.ballCost * (2 - s.balls) -
                        options.killGain * broken + shortfall;
    // The nearest list breaks ties by the cost, in hundredths of a frame.
    Push({slot, -1, s.frame + cost + options.weight * left,
          left + shortfall + 0.01 * (s.frame + cost)});
    if (options.trace) {
        const Move m = Move::Unpack(move);
        std::fprintf(stderr,
                     "game %d after move %d/%d/%d/%d/%d: frame %d at (%.0f, %.0f) vy %.3f, %d "
                     "hearts, %d balls, %d flying, %d broken, %d ahead; %.0f frames left\n",
                     result.games, m.kind, m.dir, m.button, m.aim, m.frames, s.frame, s.x, s.y,
                     s.vy, s.health, s.balls, s.flying, broken, map->ZombiesAhead(s), left);
    }
}

void LevelSearch::OpenUp(const Entry entry) {
    const Snapshot& s = pool->Game(entry.slot);
    const int way = map->Way(s.x + s.width / 2.0f, s.y + s.height);
    for (const auto& [move, less] : ChooseMoves(s, way, options)) {
        Push({entry.slot, move.Pack(), entry.promise + less, entry.left + less});
    }
    Release(entry.slot);
}

LevelSearch::Result LevelSearch::Run(const std::string& path, const Recording& header) {
    const auto started = std::chrono::steady_clock::now();
    PlayState* play = game.FrontAs<PlayState>();
    if (!play) {
        result.failed = true;
        return result;
    }
    const RouteMap route(play->GetGrid(), play->GetGroundHeight());
    map = &route;
    GamePool games(game, recorder, options.liveGames + 8);
    pool = &games;
    needed.assign(options.liveGames + 8, 0);
    const int first = games.Start(path, header, options.tallyFrames);
    if (first < 0) {
        result.failed = true;
        return result;
    }
    Weigh(first, -1);
    int winner = -1;
    bool nearestFirst = false;
    while (winner < 0 && !byPromise.empty() && !result.failed) {
        if (Seconds(started) > options.seconds) {
            result.timedOut = true;
            break;
        }
        // Two moves tried at once, from two games (a game forks one child at
        // a time); games met on the way are opened up.
        std::vector<int> tries, busy;
        while (tries.size() < 2 && !byPromise.empty() &&
               games.FreeSlots() > static_cast<int>(tries.size())) {
            nearestFirst = !nearestFirst;
            const int id = Pop(nearestFirst);
            const Entry entry = entries[id];
            if (entry.move < 0) {
                OpenUp(entry);
            } else if (!tries.empty() && entries[tries[0]].slot == entry.slot) {
                busy.push_back(id);
            } else {
                tries.push_back(id);
            }
        }
        for (int id : busy) {
            byPromise.insert({entries[id].promise, id});
            byLeft.insert({entries[id].left, id});
        }
        std::vector<int> children;
        for (int id : tries) {
            children.push_back(games.Try(entries[id].slot, Move::Unpack(entries[id].move)));
        }
        result.failed = !games.Wait(static_cast<int>(children.size()));
        for (size_t i = 0; i < children.size() && !result.failed; ++i) {
            Release(entries[tries[i]].slot);
            if (games.Game(children[i]).outcome == Snapshot::kWon && winner < 0) {
                winner = children[i];
            } else {
                Weigh(children[i], entries[tries[i]].move);
            }
        }
        // The least promising give way when too many games wait.
        while (live > options.liveGames && !byPromise.empty()) {
            const auto worst = std::prev(byPromise.end());
            const int id = worst->second;
            byPromise.erase(worst);
            byLeft.erase({entries[id].left, id});
            Release(entries[id].slot);
        }
    }
    if (winner >= 0) {
        result.end = games.Game(winner);
        result.won = games.Write(winner);
        result.failed = !result.won;
    }
    result.seconds = Seconds(started);
    pool = nullptr;
    map = nullptr;
    return result;
}
