// Entry of korvix-launcher. Command-line arguments are not used.
#include <SDL3/SDL_main.h>

#include "app/main_loop.h"

int main(int, char**) { return korvix::run_launcher(); }
