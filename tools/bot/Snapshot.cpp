#include "bot/Snapshot.h"

#include "engine/HeadlessPlatform.h"
#include "game/Ball.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"
#include "progress/LevelOverState.h"

Snapshot Snapshot::Take(const HeadlessPlatform& game, int frame) {
    Snapshot s;
    s.frame = frame;
    if (auto* tally = game.FrontAs<LevelOverState>()) {
        s.outcome = kWon;
        s.score = tally->GetScore();
        s.tallyFrame = game.FrameCount();
        s.tallyMs = tally->GetElapsedMs();
        return s;
    }
    PlayState* play = game.FrontAs<PlayState>();
    if (!play || play->GetPlayer()->GetHealth() < 1) {
        s.outcome = kLost;
        return s;
    }
    const Player* p = play->GetPlayer();
    s.x = p->GetX(), s.y = p->GetY(), s.vy = p->GetVy();
    s.width = p->Width(), s.height = p->Height();
    s.facingLeft = p->IsFacingLeft();
    s.health = p->GetHealth(), s.balls = p->GetBalls(), s.score = p->GetScore();
    for (const Zombie* z : play->GetZombies()) {
        if (s.zombies < kMostZombies) {
            s.zombieX[s.zombies] = z->GetX();
            s.zombieRow[s.zombies] = z->Row();
            s.zombieAnim[s.zombies] = z->GetAnimIndex();
            ++s.zombies;
        }
    }
    for (const Ball* b : play->GetBalls()) {
        if (s.flying < kMostBalls) {
            s.ballX[s.flying] = b->x;
            s.ballY[s.flying] = b->y;
            ++s.flying;
        }
    }
    return s;
}

uint64_t Snapshot::Hash() const {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](long value) {
        hash = (hash ^ static_cast<uint64_t>(value)) * 1099511628211ull;
    };
    mix(outcome), mix(static_cast<long>(x)), mix(static_cast<long>(y)), mix(vy == 0);
    mix(static_cast<long>(vy * 200)), mix(facingLeft), mix(health), mix(balls);
    // He never climbs: what is left in the rows above him is out of play.
    const int row = static_cast<int>(y + height) / 80;
    for (int i = 0; i < zombies; ++i) {
        if (zombieRow[i] >= row) {
            mix(i), mix(static_cast<long>(zombieX[i]) / 4), mix(Broken(i) ? 4 : zombieAnim[i]);
        }
    }
    for (int i = 0; i < flying; ++i) {
        if (static_cast<int>(ballY[i] + 5) / 80 >= row) {
            mix(static_cast<long>(ballX[i]) / 8), mix(static_cast<long>(ballY[i]) / 8);
        }
    }
    return hash;
}
