#include "bot/GamePool.h"

#include <semaphore.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "engine/Display.h"
#include "engine/Globals.h"
#include "engine/HeadlessPlatform.h"
#include "engine/Keys.h"
#include "engine/Recording.h"
#include "engine/RecordingPlatform.h"
#include "game/Ball.h"
#include "game/PlayState.h"
#include "game/Player.h"
#include "game/Zombie.h"

namespace {

enum Command { kTry = 1, kWrite };

struct Slot {
    sem_t go;
    pid_t pid;  // the game process waiting here, 0 while there is none
    int command;
    int move;  // kTry: the move, and the slot of the game that plays it
    int child;
    Snapshot snapshot;
    int written;
};

struct Shared {
    sem_t done;  // a report, or a written game
    pid_t pool;
    Slot slots[1];  // as many as mapped
};

// What the game processes work with: each is a copy of the pool's process,
// which set these before the first fork.
Shared* g_shared = nullptr;
HeadlessPlatform* g_game = nullptr;
RecordingPlatform* g_recorder = nullptr;
int g_levelFrame = 0;  // frames this game has played of the level
std::string g_path;
Recording g_header;
int g_tallyFrames = 0;

bool WaitFor(sem_t& sem, int seconds) {
    timespec until;
    clock_gettime(CLOCK_REALTIME, &until);
    until.tv_sec += seconds;
    while (sem_timedwait(&sem, &until) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// The longest an ambush waits or a fetch walks.
const int kWatchFrames = 150;

void Frame() {
    g_game->Frame();
    ++g_levelFrame;
}

// The row whose ground his feet are on, and the middle of his figure.
int FeetRow(const Player* p) {
    return static_cast<int>(p->GetY() + p->Height()) / 80;
}

float Middle(const Player* p) {
    return p->GetX() + p->Width() / 2.0f;
}

bool ZombieInRange(PlayState* play, int dir, int range) {
    const Player* p = play->GetPlayer();
    for (const Zombie* z : play->GetZombies()) {
        const float away = (z->GetX() + z->Width() / 2.0f - Middle(p)) * dir;
        if (!z->IsBroken() && z->Row() == FeetRow(p) && away > 0 && away <= range) {
            return true;
        }
    }
    return false;
}

// The side of the nearest ball on his row, 0 when there is none.
int NearestBall(PlayState* play) {
    const Player* p = play->GetPlayer();
    float nearest = 1e9f;
    int side = 0;
    for (const Ball* b : play->GetBalls()) {
        const float away = b->x + 5 - Middle(p);
        if (static_cast<int>(b->y + 5) / 80 == FeetRow(p) && std::fabs(away) < nearest) {
            nearest = std::fabs(away);
            side = away < 0 ? -1 : 1;
        }
    }
    return side;
}

void Play(const Move& move) {
    PlayState* play = g_game->FrontAs<PlayState>();
    if (!play) {
        return;
    }
    const bool facingLeft = play->GetPlayer()->IsFacingLeft();
    const bool turn = (move.button || move.kind == Move::kAmbush) && move.dir != 0 &&
                      (move.dir < 0) != facingLeft;
    if (turn) {
        g_game->Hold(move.dir < 0 ? kKeyLeft : kKeyRight);
        Frame();
        g_game->Release(kKeyLeft), g_game->Release(kKeyRight);
    }
    if (move.kind == Move::kAmbush) {
        for (int i = 0; i < kWatchFrames && (play = g_game->FrontAs<PlayState>()); ++i) {
            if (ZombieInRange(play, move.dir, move.range)) {
                g_game->SetMouse(320, move.aim);
                g_game->Click(kButtonRight);
                Frame();
                break;
            }
            Frame();
        }
        return;
    }
    if (move.kind == Move::kLanding) {
        for (int i = 0; i < kWatchFrames && (play = g_game->FrontAs<PlayState>()) &&
                        (i == 0 || play->GetPlayer()->GetVy() != 0);
             ++i) {
            if (move.dir != 0) {
                g_game->Hold(move.dir < 0 ? kKeyLeft : kKeyRight);
            }
            Frame();
            g_game->Release(kKeyLeft), g_game->Release(kKeyRight);
        }
        return;
    }
    if (move.kind == Move::kFetch) {
        const int balls = play->GetPlayer()->GetBalls();
        for (int i = 0; i < kWatchFrames && (play = g_game->FrontAs<PlayState>()) &&
                        play->GetPlayer()->GetBalls() == balls;
             ++i) {
            const int side = NearestBall(play);
            if (side == 0) {
                break;
            }
            g_game->Hold(side < 0 ? kKeyLeft : kKeyRight);
            Frame();
            g_game->Release(kKeyLeft), g_game->Release(kKeyRight);
        }
        return;
    }
    for (int i = turn ? 1 : 0; i < move.frames && g_game->FrontAs<PlayState>(); ++i) {
        const int walk = move.button ? 0 : move.dir;
        if (walk != 0) {
            g_game->Hold(walk < 0 ? kKeyLeft : kKeyRight);
        }
        if (move.hop) {
            g_game->Hold(kKeyUp);
        }
        if (move.button && i == (turn ? 1 : 0)) {
            g_game->SetMouse(320, move.aim);
            g_game->Click(move.button);
        }
        Frame();
        g_game->Release(kKeyLeft), g_game->Release(kKeyRight), g_game->Release(kKeyUp);
    }
}

void Report(int slot) {
    g_shared->slots[slot].pid = getpid();
    g_shared->slots[slot].snapshot = Snapshot::Take(*g_game, g_levelFrame);
    sem_post(&g_shared->done);
}

// The won game goes on a little on the tally, for a viewer to see it.
void WriteWon(Slot& slot) {
    const Snapshot& won = slot.snapshot;
    g_game->Frames(g_tallyFrames);
    Recording header = g_header;
    header.hasTally = true;
    header.tallyScore = won.score;
    header.tallyFrame = won.tallyFrame;
    header.tallyMs = won.tallyMs;
    slot.written = g_recorder->WriteTo(g_path, header);
}

// A game process: waits where its last move left it until told what next.
[[noreturn]] void Serve(int index) {
    Slot& slot = g_shared->slots[index];
    while (true) {
        while (!WaitFor(slot.go, 2)) {
            if (kill(g_shared->pool, 0) != 0) {
                _exit(0);  // the search is gone
            }
        }
        if (slot.command == kWrite) {
            WriteWon(slot);
            sem_post(&g_shared->done);
            _exit(0);
        }
        const int move = slot.move, child = slot.child;
        const pid_t pid = fork();
        if (pid == 0) {
            Play(Move::Unpack(move));
            Report(child);
            Serve(child);
        }
        if (pid < 0) {
            g_shared->slots[child].snapshot.outcome = -1;
            sem_post(&g_shared->done);
        }
    }
}

// The game draws every frame into a few screen-sized buffers (the screen,
// and the library's copies on their way to the window) and never reads a
// picture back. Shared between the game processes instead of copied on a
// child's first write, they make a try cheaper. Only a mapping that holds
// the screen and is made of nothing but buffers of its size is shared;
// elsewhere nothing changes but the speed.
void ShareScreens(const void* pixels, size_t size) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t buffer = (size + 16 + page - 1) / page * page;  // as malloc maps it
    const uintptr_t at = reinterpret_cast<uintptr_t>(pixels);
    std::FILE* maps = std::fopen("/proc/self/maps", "r");
    char line[512];
    while (maps && std::fgets(line, sizeof line, maps)) {
        unsigned long from = 0, to = 0, offset = 1;
        char mode[8] = {};
        if (std::sscanf(line, "%lx-%lx %7s %lx", &from, &to, mode, &offset) != 4 || at < from ||
            at >= to) {
            continue;
        }
        const size_t length = to - from;
        void* start = reinterpret_cast<void*>(from);
        if (std::strcmp(mode, "rw-p") == 0 && offset == 0 && length % buffer == 0 &&
            length / buffer <= 4 && !std::strchr(line, '/') && !std::strchr(line, '[')) {
            void* shared =
                mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
            if (shared != MAP_FAILED) {
                std::memcpy(shared, start, length);
                if (mremap(shared, length, length, MREMAP_MAYMOVE | MREMAP_FIXED, start) ==
                    MAP_FAILED) {
                    munmap(shared, length);
                }
            }
        }
        break;
    }
    if (maps) {
        std::fclose(maps);
    }
}

}  // namespace

int Move::Pack() const {
    return (dir + 1) | hop << 2 | (button == kButtonRight) << 3 | (button != 0) << 4 |
           (aim & 511) << 5 | (frames & 63) << 14 | (kind & 3) << 20 | (range & 255) << 22;
}

Move Move::Unpack(int packed) {
    Move move;
    move.dir = (packed & 3) - 1;
    move.hop = (packed & 4) != 0;
    move.button = packed & 16 ? (packed & 8 ? kButtonRight : kButtonLeft) : 0;
    move.aim = (packed >> 5) & 511;
    move.frames = (packed >> 14) & 63;
    move.kind = (packed >> 20) & 3;
    move.range = (packed >> 22) & 255;
    return move;
}

GamePool::GamePool(HeadlessPlatform& playing, RecordingPlatform& recording, int slots)
    : game(playing), recorder(recording) {
    bytes = sizeof(Shared) + slots * sizeof(Slot);
    memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        memory = nullptr;
        return;
    }
    Shared* shared = static_cast<Shared*>(memory);
    sem_init(&shared->done, 1, 0);
    shared->pool = getpid();
    for (int i = slots - 1; i >= 0; --i) {
        sem_init(&shared->slots[i].go, 1, 0);
        idle.push_back(i);
    }
}

GamePool::~GamePool() {
    if (group > 0) {
        kill(-group, SIGKILL);
    }
    if (memory) {
        munmap(memory, bytes);
    }
    g_shared = nullptr;
}

int GamePool::Start(const std::string& path, const Recording& header, int tallyFrames) {
    if (!memory || idle.empty() || g_shared) {
        return -1;
    }
    g_shared = static_cast<Shared*>(memory);
    g_path = path;
    g_header = header;
    g_tallyFrames = tallyFrames;
    g_game = &game;
    g_recorder = &recorder;
    g_levelFrame = 0;
    SDL_Surface* screen = g_display->GetScreen();
    ShareScreens(screen->pixels, static_cast<size_t>(screen->pitch) * screen->h);
    // Game processes are reaped as they end (the orphans by the system).
    signal(SIGCHLD, SIG_IGN);
    const int slot = idle.back();
    idle.pop_back();
    g_shared->slots[slot].pid = 0;
    const pid_t first = fork();
    if (first == 0) {
        setpgid(0, 0);
        Report(slot);
        Serve(slot);
    }
    if (first < 0) {
        return -1;
    }
    setpgid(first, first);
    group = first;
    return Wait(1) ? slot : -1;
}

const Snapshot& GamePool::Game(int slot) const {
    return static_cast<Shared*>(memory)->slots[slot].snapshot;
}

int GamePool::Try(int slot, const Move& move) {
    if (idle.empty()) {
        return -1;
    }
    const int child = idle.back();
    idle.pop_back();
    Slot& parent = g_shared->slots[slot];
    g_shared->slots[child].snapshot = Snapshot();
    g_shared->slots[child].pid = 0;
    parent.command = kTry;
    parent.move = move.Pack();
    parent.child = child;
    sem_post(&parent.go);
    return child;
}

bool GamePool::Wait(int count) {
    for (int i = 0; i < count; ++i) {
        if (!WaitFor(g_shared->done, 60)) {
            return false;
        }
    }
    return true;
}

void GamePool::End(int slot) {
    if (g_shared->slots[slot].pid > 0) {
        kill(g_shared->slots[slot].pid, SIGKILL);
    }
    g_shared->slots[slot].pid = 0;
    idle.push_back(slot);
}

bool GamePool::Write(int slot) {
    Slot& won = g_shared->slots[slot];
    won.written = 0;
    won.command = kWrite;
    sem_post(&won.go);
    return Wait(1) && won.written;
}
