#include "app/frame_pacing.h"

namespace korvix {

uint64_t frame_period_ns(float refresh_hz) {
  if (!(refresh_hz >= 1.0f)) refresh_hz = 60.0f;
  return static_cast<uint64_t>(1e9 / refresh_hz);
}

uint64_t sleep_before_next_frame_ns(uint64_t frame_start_ns, uint64_t now_ns, float refresh_hz) {
  uint64_t due = frame_start_ns + frame_period_ns(refresh_hz) * 95 / 100;
  return now_ns >= due ? 0 : due - now_ns;
}

}  // namespace korvix
