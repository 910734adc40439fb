// Spawn attributes for a program that runs on its own, apart from the launcher.
#pragma once

#include <signal.h>
#include <spawn.h>

namespace korvix {

// A session of its own, so it outlives this launcher and whatever signals its
// group; default signal handling and an open mask, as for any fresh program.
inline void set_own_session(posix_spawnattr_t& attributes) {
  sigset_t none;
  sigset_t all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
}

}  // namespace korvix
