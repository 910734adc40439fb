// Entry of korvix-launcher. Command-line arguments are not used.
#include <SDL3/SDL_main.h>

#include "app/main_loop.h"
#include "install/process_runner.h"

int main(int, char**) {
  int code = korvix::run_launcher();
  // Workers of update checks may still wait on curl: it ends with the launcher.
  korvix::ProcessRunner::end_all_runs();
  return code;
}
