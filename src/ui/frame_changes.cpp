#include "ui/frame_changes.h"

#include <atomic>

namespace korvix {

namespace {

// Atomic, so that a worker thread may ask for a frame too.
std::atomic<bool> frame_changed{false};

}  // namespace

void mark_frame_changed() { frame_changed.store(true, std::memory_order_relaxed); }

bool take_frame_changed() { return frame_changed.exchange(false, std::memory_order_relaxed); }

}  // namespace korvix
