// Pacing of the main loop.
//
// Idle, the loop blocks in a 50 ms event wait. While something goes on at once
// (a job, playback, a fetch) the loop redraws every frame; with vsync in effect
// the display sets that pace, and without it (some drivers, the offscreen
// driver) the loop must pace itself rather than spin a whole core.
#pragma once

#include <cstdint>

namespace korvix {

constexpr int idle_wait_ms = 50;

// Frame period for a display refresh rate; 60 Hz when the rate is unknown.
uint64_t frame_period_ns(float refresh_hz);

// How long to sleep before the next frame, given when the last frame started.
// Whether vsync is in effect can't be trusted (some drivers report it and don't
// block), so busy frames are always held to the display's period, a little
// shortened so that a real vsync wait never adds a frame of delay.
uint64_t sleep_before_next_frame_ns(uint64_t frame_start_ns, uint64_t now_ns, float refresh_hz);

}  // namespace korvix
