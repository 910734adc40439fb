// The error and warning rules, on lines as MSVC, clang, CMake, Ninja, MSBuild,
// PowerShell and git really print them.
#include "install/log_marks.h"

#include <gtest/gtest.h>

namespace korvix {
namespace {

struct MarkCase {
  const char* line;
  LineMark mark;
};

constexpr MarkCase mark_cases[] = {
    // MSVC and its linker
    {R"(C:\src\korvix\game\actor.cpp(42): error C2065: 'player_count': undeclared identifier)", LineMark::error},
    {R"(C:\src\korvix\game\actor.cpp(118): warning C4996: 'strcpy': This function or variable may be unsafe.)",
     LineMark::warning},
    {R"(C:\src\korvix\game\main.cpp(3): fatal error C1083: Cannot open include file: 'sdl.h': No such file)",
     LineMark::error},
    {"LINK : fatal error LNK1120: 1 unresolved externals", LineMark::error},
    {"actor.obj : error LNK2019: unresolved external symbol \"void __cdecl tick(void)\"", LineMark::error},
    {R"(cl : command line warning D9025 : overriding '/W3' with '/W4')", LineMark::warning},
    // clang
    {"/src/korvix/game/actor.cpp:42:7: error: use of undeclared identifier 'player_count'", LineMark::error},
    {"/src/korvix/game/actor.cpp:9:12: warning: unused variable 'speed' [-Wunused-variable]", LineMark::warning},
    {"fatal error: 'SDL.h' file not found", LineMark::error},
    {"clang++: error: linker command failed with exit code 1 (use -v to see invocation)", LineMark::error},
    {"1 warning and 2 errors generated.", LineMark::none},
    // CMake
    {"CMake Error at CMakeLists.txt:12 (find_package):", LineMark::error},
    {"CMake Warning (dev) at CMakeLists.txt:4 (project):", LineMark::warning},
    {"-- Configuring incomplete, errors occurred!", LineMark::none},
    {"-- Looking for pthread_create in pthreads - not found", LineMark::none},
    // Ninja
    {"FAILED: src/CMakeFiles/korvix.dir/game/actor.cpp.obj", LineMark::error},
    {"ninja: error: loading 'build.ninja': The system cannot find the file specified.", LineMark::error},
    {"ninja: build stopped: subcommand failed.", LineMark::none},
    {"[37/120] Building CXX object src/CMakeFiles/korvix.dir/game/error_screen.cpp.obj", LineMark::none},
    // MSBuild
    {"MSBUILD : error MSB1009: Project file does not exist.", LineMark::error},
    {R"(C:\Program Files\MSBuild\Microsoft.Cpp.targets(297,5): warning MSB8065: Custom build for item)",
     LineMark::warning},
    {"    0 Warning(s)", LineMark::none},
    {"    0 Error(s)", LineMark::none},
    // PowerShell
    {"Write-Error: The disc image couldn't be read.", LineMark::error},
    {"WARNING: The names of some imported commands include unapproved verbs.", LineMark::warning},
    {"Remove-Item -Path $tmp -Recurse -ErrorAction SilentlyContinue", LineMark::none},
    {"+ FullyQualifiedErrorId : CommandNotFoundException", LineMark::none},
    // git, and the launcher's own last line
    {"fatal: not a git repository (or any of the parent directories): .git", LineMark::error},
    {"Failed: The build failed (exit 1). Its logs are in C:\\KorvixVelarine\\build\\logs.", LineMark::error},
    {"Finished.", LineMark::none},
    // Words that only contain the keywords, or stand without ":" or a code after them
    {"error_count: 0", LineMark::none},
    {"Terrors: 2", LineMark::none},
    {"Building the error screen", LineMark::none},
    {"Errors: 3", LineMark::none},
    {"warnings: 3", LineMark::none},
    {"an error occurred while extracting: see above", LineMark::none},
    {"error : the task failed", LineMark::error},
};

TEST(LogMarks, RealToolLinesAreMarkedByTheRules) {
  for (const MarkCase& c : mark_cases) EXPECT_EQ(mark_of_line(c.line), c.mark) << c.line;
}

}  // namespace
}  // namespace korvix
