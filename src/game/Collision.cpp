#include "game/Collision.h"

#include <algorithm>

#include "engine/Sprite.h"

namespace {

const float kRestitution = -0.6f;

Uint32 ReadPixel(const SDL_Surface* surface, int x, int y) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    switch (surface->format->BytesPerPixel) {
        case 4:
            return reinterpret_cast<const Uint32*>(row)[x];
        case 3: {
            const Uint8* p = row + x * 3;
            return p[0] | (p[1] << 8) | (p[2] << 16);
        }
        case 2:
            return reinterpret_cast<const Uint16*>(row)[x];
        default:
            return row[x];
    }
}

}  // namespace

bool RectsOverlap(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x + a.w > b.x && a.x < b.x + b.w && a.y + a.h > b.y && a.y < b.y + b.h;
}

bool PixelsOverlap(Sprite* a, int ax, int ay, Sprite* b, int bx, int by) {
    if (!a || !b) {
        return false;
    }
    int left = std::max(ax, bx);
    int top = std::max(ay, by);
    int right = std::min(ax + a->GetWidth(), bx + b->GetWidth());
    int bottom = std::min(ay + a->GetHeight(), by + b->GetHeight());
    if (right <= left || bottom <= top) {
        return false;
    }
    SDL_Surface* surfaceA = a->GetSurface();
    SDL_Surface* surfaceB = b->GetSurface();
    SDL_LockSurface(surfaceA);
    SDL_LockSurface(surfaceB);
    bool touching = false;
    for (int y = top; y < bottom && !touching; ++y) {
        for (int x = left; x < right; ++x) {
            if (ReadPixel(surfaceA, x - ax, y - ay) != 0 &&
                ReadPixel(surfaceB, x - bx, y - by) != 0) {
                touching = true;
                break;
            }
        }
    }
    SDL_UnlockSurface(surfaceB);
    SDL_UnlockSurface(surfaceA);
    return touching;
}

void ReflectVelocity(float& vx, float& vy, float nx, float ny) {
    float lengthSquared = nx * nx + ny * ny;
    if (lengthSquared == 0.0f) {
        return;
    }
    float d = (vx * nx + vy * ny) / lengthSquared;
    vx = vx - nx * d + nx * d * kRestitution;
    vy = vy - ny * d + ny * d * kRestitution;
}

void BounceOffRect(float& vx, float& vy, float px, float py, const SDL_Rect& rect) {
    const float left = rect.x;
    const float right = rect.x + rect.w;
    const float top = rect.y;
    const float bottom = rect.y + rect.h;
    bool level = top <= py && py <= bottom;
    bool within = left <= px && px <= right;
    if (level) {
        vx = vx * kRestitution;
    }
    if (within) {
        vy = vy * kRestitution;
    }
    if (level || within) {
        return;
    }
    float nx;
    float ny;
    bool upper;
    if (px < left && py < top) {
        nx = px - left;
        ny = py - top;
        upper = true;
    } else if (px > right && py < top) {
        nx = px - right;
        ny = py - top;
        upper = true;
    } else if (px > right && py > bottom) {
        nx = px - right;
        ny = py - bottom;
        upper = false;
    } else if (px < left && py > bottom) {
        nx = px - left;
        ny = py - bottom;
        upper = false;
    } else {
        return;
    }
    if (vx * nx + vy * ny <= 0.0f) {
        ReflectVelocity(vx, vy, nx, ny);
    } else if (upper ? vy > 0.0f : vy < 0.0f) {
        vy = vy * kRestitution;
    } else {
        vx = vx * kRestitution;
    }
}
