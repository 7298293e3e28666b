#pragma once

#include <vector>

#include "gen/Song.h"

// Renders a Song to a seamless stereo loop: every note, release tail and
// echo that runs past the end is wrapped round to the start, so playing the
// result back to back has no gap and no click.
class Sequencer {
public:
    explicit Sequencer(const Song& song) : song(song) {}

    void Render(std::vector<float>& left, std::vector<float>& right) const;

private:
    const Song& song;
};
