# Dependencies: SDL3 (static, built by scripts/bootstrap.sh), Dear ImGui
# (compiled here from its source package), stb_image (Debian's libstb-dev),
# GoogleTest. Everything is found under KORVIX_DEPS_DIR.
# The same folder as scripts/bootstrap.sh: KORVIX_DEPS_DIR from the environment,
# else ~/.cache/korvix-deps.
set(korvix_default_deps "$ENV{KORVIX_DEPS_DIR}")
if(korvix_default_deps STREQUAL "")
  set(korvix_default_deps "$ENV{HOME}/.cache/korvix-deps")
endif()
set(KORVIX_DEPS_DIR "${korvix_default_deps}" CACHE PATH "Where scripts/bootstrap.sh keeps SDL3 and ImGui")

function(korvix_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

find_package(Threads REQUIRED)
add_library(korvix_threads INTERFACE)
target_link_libraries(korvix_threads INTERFACE Threads::Threads)

# The system's crypto, for checking downloads: BCrypt on Windows, libcrypto elsewhere.
add_library(korvix_crypto INTERFACE)
if(WIN32)
  target_link_libraries(korvix_crypto INTERFACE bcrypt)
else()
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  target_link_libraries(korvix_crypto INTERFACE OpenSSL::Crypto)
endif()

# SDL3
if(WIN32)
  set(sdl_prefix "${KORVIX_DEPS_DIR}/sdl3-windows")
else()
  set(sdl_prefix "${KORVIX_DEPS_DIR}/sdl3-linux")
endif()
find_package(SDL3 CONFIG REQUIRED PATHS "${sdl_prefix}" NO_DEFAULT_PATH)
add_library(korvix_sdl3 INTERFACE)
target_link_libraries(korvix_sdl3 INTERFACE SDL3::SDL3-static)

# Dear ImGui with its SDL3 platform and SDL renderer back ends (not its demo
# window, which nothing shows)
set(imgui_dir "${KORVIX_DEPS_DIR}/imgui")
if(NOT EXISTS "${imgui_dir}/imgui.cpp")
  message(FATAL_ERROR "Dear ImGui not found in ${imgui_dir}: run scripts/bootstrap.sh")
endif()
add_library(korvix_imgui STATIC
  ${imgui_dir}/imgui.cpp ${imgui_dir}/imgui_draw.cpp ${imgui_dir}/imgui_tables.cpp
  ${imgui_dir}/imgui_widgets.cpp
  ${imgui_dir}/backends/imgui_impl_sdl3.cpp ${imgui_dir}/backends/imgui_impl_sdlrenderer3.cpp
  ${PROJECT_SOURCE_DIR}/src/imgui_hooks/item_hooks.cpp)
target_include_directories(korvix_imgui SYSTEM PUBLIC ${imgui_dir} ${imgui_dir}/backends)
# The test-engine hooks tell tests where each widget is (src/imgui_hooks); they
# stay off unless a test observes a context.
target_compile_definitions(korvix_imgui PUBLIC IMGUI_DISABLE_OBSOLETE_FUNCTIONS IMGUI_ENABLE_TEST_ENGINE)
target_link_libraries(korvix_imgui PUBLIC korvix_sdl3)

# stb_image: header only. Its folder is mirrored into the build tree, because
# /usr/include on the include path would hide the cross compiler's own headers.
find_path(STB_INCLUDE_DIR stb/stb_image.h PATHS /usr/include REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(stb_mirror "${CMAKE_BINARY_DIR}/stb-include")
file(MAKE_DIRECTORY "${stb_mirror}")
file(CREATE_LINK "${STB_INCLUDE_DIR}/stb" "${stb_mirror}/stb" SYMBOLIC)
add_library(korvix_stb INTERFACE)
target_include_directories(korvix_stb SYSTEM INTERFACE "${stb_mirror}")

# GoogleTest: Debian's libgtest-dev for the native build; the cross build
# compiles the same release from Debian's googletest source package.
function(korvix_find_googletest)
  if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
endfunction()

function(korvix_windows_executable target)
  # GUI program without a console window, fully static: imports only system DLLs.
  target_link_options(${target} PRIVATE -mwindows -static -static-libgcc -static-libstdc++)
endfunction()
