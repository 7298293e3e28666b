// Play-screen figures: one frame's own work (draw and step, without the
// present) on a level with 10 zombies and 5 balls in flight, and the step
// alone with a zombie in every cell and 200 balls. Each iteration starts
// from the same scene, restored outside the timed part, so that no zombie
// stays broken, no ball is lost to the player and no way out is taken.
#include <benchmark/benchmark.h>

#include <vector>

#include "BenchFloor.h"
#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/InputState.h"
#include "game/Ball.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"

namespace {

const char* kLevel = "gdat\\level01.png";

struct ZombieStart {
    float x;
    bool left;
};

// A play screen of the first level with its own zombies and balls.
class Scene {
public:
    Scene(int zombieCount, int ballCount) : play(kLevel, new Player()) {
        for (Zombie* zombie : play.GetZombies()) {
            delete zombie;
        }
        play.GetZombies().clear();
        for (int i = 0; i < zombieCount; ++i) {
            play.AddZombie(i % TileGrid::kColumns, i / TileGrid::kColumns % TileGrid::kRows);
        }
        for (Zombie* zombie : play.GetZombies()) {
            zombies.push_back({zombie->GetX(), zombie->IsWalkingLeft()});
        }
        for (int i = 0; i < ballCount; ++i) {
            float speed = i % 2 ? 0.2f : 0.05f;
            balls.push_back({static_cast<float>(37 * i % 600), static_cast<float>(53 * i % 440),
                             i % 3 ? speed : -speed, i % 4 ? 0.01f : -0.1f});
        }
        Player* player = play.GetPlayer();
        playerX = player->GetX();
        playerY = player->GetY();
        Restore();
    }

    ~Scene() { DropBalls(); }

    void Restore() {
        auto start = zombies.begin();
        for (Zombie* zombie : play.GetZombies()) {
            start->left ? zombie->WalkLeft() : zombie->WalkRight();
            zombie->SetX(start->x);
            ++start;
        }
        DropBalls();
        for (const Ball& ball : balls) {
            play.GetBalls().push_back(new Ball(ball));
        }
        Player* player = play.GetPlayer();
        player->SetX(playerX);
        player->SetY(playerY);
        player->SetVy(0.0f);
        player->SetHealth(1000);
        player->SetBalls(2);
        g_input->Refresh();
        g_frameDelta = 16;
        g_lastTicks += 16;
    }

    PlayState play;

private:
    void DropBalls() {
        for (Ball* ball : play.GetBalls()) {
            delete ball;
        }
        play.GetBalls().clear();
    }

    std::vector<ZombieStart> zombies;
    std::vector<Ball> balls;
    float playerX;
    float playerY;
};

void BM_PlayFrame(benchmark::State& state) {
    Scene scene(10, 5);
    g_display->SetPresenting(false);
    FloorRatio ratio(state);
    for (auto _ : state) {
        scene.Restore();
        ratio.Start();
        scene.play.Update();
        ratio.Stop();
    }
    g_display->SetPresenting(true);
}
BENCHMARK(BM_PlayFrame);

void BM_PlayStepCrowded(benchmark::State& state) {
    Scene scene(96, 200);
    FloorRatio ratio(state);
    for (auto _ : state) {
        scene.Restore();
        ratio.Start();
        scene.play.Step();
        ratio.Stop();
    }
}
BENCHMARK(BM_PlayStepCrowded);

}  // namespace
