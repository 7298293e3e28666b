#include "engine/RecordingPlatform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

std::string Hex(Uint32 value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

// Room kept for the last lines when a stream nears the largest file.
const long kStreamMargin = 1L << 20;

}  // namespace

RecordingPlatform::RecordingPlatform(Platform& innerPlatform) : inner(innerPlatform) {
    devices.keys = keys;
}

RecordingPlatform::~RecordingPlatform() {
    Finish();
}

bool RecordingPlatform::StreamTo(const std::string& path, const Recording& header,
                                 std::string& error) {
    stream = std::fopen(path.c_str(), "wb");
    if (!stream) {
        error = std::string("cannot be written: ") + std::strerror(errno);
        return false;
    }
    const std::string text = header.Header();
    streamSum = Checksum(text);
    streamBytes = static_cast<long>(text.size());
    std::fputs(text.c_str(), stream);
    return true;
}

bool RecordingPlatform::Finish() {
    if (!stream) {
        return true;
    }
    EndFrame();
    Add("", 0);
    Flush();
    std::fprintf(stream, "end %u %s\n", bodyFrames, Hex(streamSum).c_str());
    const bool written = std::ferror(stream) == 0;
    const bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    return written && closed;
}

bool RecordingPlatform::WriteTo(const std::string& path, const Recording& header) {
    EndFrame();
    Add("", 0);
    const std::string text = header.Header() + body;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    std::fprintf(file, "%send %u %s\n", text.c_str(), bodyFrames, Hex(Checksum(text)).c_str());
    const bool written = std::ferror(file) == 0;
    return std::fclose(file) == 0 && written;
}

void RecordingPlatform::InFrame() {
    if (!open) {
        open = true;
        ++frames;
    }
    polling = false;
}

void RecordingPlatform::EndFrame() {
    if (!open) {
        return;
    }
    // Clock answers as steps from the one before; asked more often, a frame
    // repeats its last, so steps of 0 at the end go without saying.
    size_t kept = times.size();
    while (kept > 0 && times[kept - 1] == (kept > 1 ? times[kept - 2] : lastTick)) {
        --kept;
    }
    for (size_t i = 0; i < kept; ++i) {
        frame.ticks.push_back(times[i] - (i > 0 ? times[i - 1] : lastTick));
    }
    if (!times.empty()) {
        lastTick = times.back();
    }
    Add(Recording::FrameLine(frame), 1);
    frame = RecordedFrame();
    times.clear();
    open = false;
}

// Alike frames become one line with a repeat count; an empty line with no
// repeat writes out the last.
void RecordingPlatform::Add(const std::string& line, Uint32 repeat) {
    if (stopped) {
        return;
    }
    if (repeat > 0 && line == lastLine && lastRepeat < 100000000) {
        lastRepeat += repeat;
        return;
    }
    if (lastRepeat > 0) {
        body += (lastRepeat > 1 ? std::to_string(lastRepeat) + "*" : "") + lastLine + "\n";
        bodyFrames += lastRepeat;
    }
    lastLine = line;
    lastRepeat = repeat;
    if (stream && body.size() > 65536) {
        Flush();
    }
}

void RecordingPlatform::Flush() {
    if (!stream || body.empty()) {
        return;
    }
    streamSum = Checksum(body, streamSum);
    streamBytes += static_cast<long>(body.size());
    std::fwrite(body.data(), 1, body.size(), stream);
    body.clear();
    if (streamBytes > Recording::kLargestFile - kStreamMargin) {
        std::fprintf(stderr,
                     "quonkle: the recording has reached its largest size; the game goes "
                     "on unrecorded\n");
        std::fprintf(stream, "end %u %s\n", bodyFrames, Hex(streamSum).c_str());
        std::fclose(stream);
        stream = nullptr;
        stopped = true;
    }
}

bool RecordingPlatform::PollEvent(SDL_Event& event) {
    if (!polling) {
        EndFrame();
        InFrame();
        polling = true;
    }
    while (inner.PollEvent(event)) {
        // Only what the frame step reads; the rest would never replay.
        if (event.type == SDL_QUIT || event.type == SDL_VIDEORESIZE ||
            event.type == SDL_ACTIVEEVENT) {
            frame.events.push_back(event);
            return true;
        }
    }
    return false;
}

Uint8 RecordingPlatform::GetAppState() {
    InFrame();
    const Uint8 state = inner.GetAppState();
    if (state != lastAppState) {
        frame.changes += (frame.changes.empty() ? "a" : " a") + std::to_string(state);
        lastAppState = state;
    }
    return state;
}

Uint32 RecordingPlatform::GetTicks() {
    InFrame();
    times.push_back(inner.GetTicks());
    return times.back();
}

DeviceState RecordingPlatform::ReadDevices() {
    InFrame();
    const DeviceState now = inner.ReadDevices();
    std::string& changes = frame.changes;
    auto add = [&changes](const std::string& token) {
        changes += (changes.empty() ? "" : " ") + token;
    };
    const int known = now.keys ? std::min(now.keyCount, static_cast<int>(Recording::kKeyCount)) : 0;
    for (int key = 0; key < Recording::kKeyCount; ++key) {
        const Uint8 down = key < known && now.keys[key] ? 1 : 0;
        if (down != keys[key]) {
            add((down ? "k" : "u") + std::to_string(key));
            keys[key] = down;
        }
    }
    const int x = std::clamp(now.mouseX, -99999, 99999);
    const int y = std::clamp(now.mouseY, -99999, 99999);
    if (x != devices.mouseX || y != devices.mouseY) {
        add("m" + std::to_string(x) + "," + std::to_string(y));
        devices.mouseX = x, devices.mouseY = y;
    }
    if (now.buttons != devices.buttons) {
        add("b" + std::to_string(now.buttons));
        devices.buttons = now.buttons;
    }
    const PadState& pad = now.pad;
    const PadState& last = devices.pad;
    if (pad.present != last.present ||
        (pad.present &&
         (!std::equal(pad.axes, pad.axes + PadState::kAxes, last.axes) ||
          !std::equal(pad.buttons, pad.buttons + PadState::kButtons, last.buttons)))) {
        std::string token = "p";
        int bits = 0;
        for (int i = 0; pad.present && i < PadState::kAxes; ++i) {
            token += std::to_string(pad.axes[i]) + ",";
        }
        for (int i = 0; i < PadState::kButtons; ++i) {
            bits |= pad.buttons[i] ? 1 << i : 0;
        }
        add(pad.present ? token + std::to_string(bits) : "p-");
        devices.pad = pad.present ? pad : PadState();
    }
    devices.keyCount = Recording::kKeyCount;
    return devices;
}
