#!/usr/bin/env bash
# Sets up a Debian 12 machine to build and test the launcher: Debian packages,
# then SDL3 (trixie's source package) and Dear ImGui (sid's source package),
# fetched with apt-get source and built once into a cache outside the work tree.
# Idempotent: a second run only checks what is there.
#
#   scripts/bootstrap.sh            native Linux build dependencies
#   scripts/bootstrap.sh --windows  also the mingw-w64 cross build and Wine
set -euo pipefail

want_windows=0
for arg in "$@"; do
  case "$arg" in
    --windows) want_windows=1 ;;
    *) echo "bootstrap: unknown option $arg" >&2; exit 2 ;;
  esac
done

deps="${KORVIX_DEPS_DIR:-$HOME/.cache/korvix-deps}"
mkdir -p "$deps"
as_root=""
if [ "$(id -u)" != 0 ]; then as_root="sudo"; fi

linux_packages=(
  build-essential cmake ninja-build pkg-config git curl tar python3 dpkg-dev ca-certificates
  libx11-dev libxext-dev libxrandr-dev libxcursor-dev libxi-dev libxss-dev libxfixes-dev
  libxtst-dev libxkbcommon-dev libwayland-dev wayland-protocols libpulse-dev libasound2-dev
  libdbus-1-dev libudev-dev libdrm-dev libgbm-dev libgl-dev libegl-dev
  libgl1-mesa-dri
  libstb-dev libgtest-dev libgmock-dev libbenchmark-dev libssl-dev
  fonts-dejavu-core imagemagick
  clang-14 libclang-rt-14-dev  # the sanitizer and fuzzing builds
)
windows_packages=(mingw-w64 g++-mingw-w64-x86-64-posix googletest wine64 xvfb xauth
  bison flex  # the Direct3D shader compiler's grammars
  libvulkan1 mesa-vulkan-drivers)  # Vulkan under Wine, for the renderer tests

packages=("${linux_packages[@]}")
[ "$want_windows" = 1 ] && packages+=("${windows_packages[@]}")

# --- Debian packages -------------------------------------------------------
sources_file=/etc/apt/sources.list.d/korvix-sources.sources
if [ ! -f "$sources_file" ]; then
  # Source entries only: the machine's binaries stay on bookworm.
  $as_root tee "$sources_file" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: trixie sid
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
else
  need_update=0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ] || [ "$need_update" = 1 ] || ! ls /var/lib/apt/lists/*trixie*Sources* >/dev/null 2>&1; then
  echo "bootstrap: apt-get update"
  $as_root apt-get update -qq
fi
if [ "${#missing[@]}" -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- source packages -------------------------------------------------------
# Newest version of a source package in one suite, matching a version prefix.
source_version() { # package suite prefix
  apt-cache showsrc "$1" 2>/dev/null | awk -v want="$3" '
    /^Package:/ {pkg=$2} /^Version:/ {v=$2}
    /^Files:/ || /^Checksums-Sha256:/ { if (index(v, want) == 1) print v }' | sort -uV | tail -n 1
}

fetch_source() { # package suite prefix -> prints the unpacked folder
  local pkg=$1 suite=$2 prefix=$3 version dir
  version=$(source_version "$pkg" "$suite" "$prefix")
  if [ -z "$version" ]; then
    echo "bootstrap: no $pkg $prefix* source in the package index" >&2
    exit 1
  fi
  dir="$deps/src/$pkg-$version"
  if [ ! -f "$dir/.unpacked" ]; then
    rm -rf "$dir.tmp" && mkdir -p "$dir.tmp"
    (cd "$dir.tmp" && apt-get source -qq --only-source "$pkg=$version" >/dev/null)
    local unpacked
    unpacked=$(find "$dir.tmp" -mindepth 1 -maxdepth 1 -type d | head -n 1)
    rm -rf "$dir" && mv "$unpacked" "$dir" && rm -rf "$dir.tmp"
    touch "$dir/.unpacked"
  fi
  echo "$dir"
}

sdl_src=$(fetch_source libsdl3 trixie 3.2.)
imgui_src=$(fetch_source imgui sid 1.92)
ln -sfn "$imgui_src" "$deps/imgui"

build_sdl() { # link-name cache-name extra-cmake-args...
  local link="$deps/sdl3-$1" prefix="$deps/$(basename "$sdl_src")-$2"
  shift 2
  if [ ! -f "$prefix/.built" ]; then
    echo "bootstrap: building SDL3 ($(basename "$prefix")), about two minutes"
    rm -rf "$prefix" "$prefix.build"
    cmake -S "$sdl_src" -B "$prefix.build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TESTS=OFF \
      -DSDL_TEST_LIBRARY=OFF -DSDL_EXAMPLES=OFF -DSDL_INSTALL_DOCS=OFF "$@" >"$prefix.log" 2>&1 \
      || { tail -n 40 "$prefix.log"; exit 1; }
    cmake --build "$prefix.build" >>"$prefix.log" 2>&1 || { tail -n 40 "$prefix.log"; exit 1; }
    cmake --install "$prefix.build" >>"$prefix.log" 2>&1 || { tail -n 40 "$prefix.log"; exit 1; }
    rm -rf "$prefix.build"
    touch "$prefix/.built"
  fi
  # Switched in one rename: other builds may read the link at any moment.
  if [ "$(readlink "$link" 2>/dev/null)" != "$prefix" ]; then
    ln -sfn "$prefix" "$link.new" && mv -T "$link.new" "$link"
  fi
}

# The launcher uses neither SDL's GPU API (so nor its renderer) nor the camera.
# Built beside the Windows half: each spends a minute configuring on one core.
build_sdl linux linux-nogpu -DSDL_POSITION_INDEPENDENT_CODE=ON -DSDL_GPU=OFF -DSDL_RENDER_GPU=OFF -DSDL_CAMERA=OFF &
linux_sdl=$!
trap 'kill "$linux_sdl" 2>/dev/null || true' EXIT
if [ "$want_windows" = 1 ]; then
  toolchain="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-w64-x86_64.cmake"
  # Debian's repacked source lacks the compiled shaders of SDL's Direct3D back
  # ends. Those of Direct3D 11, the renderer SDL tries first on Windows, are
  # compiled here from their HLSL; the cache's name says so, so that a build
  # made without them is made anew. Direct3D 9 and 12 and the GPU renderer stay
  # off: OpenGL, OpenGL ES 2, Vulkan and the software renderer follow.
  sdl_windows="$deps/$(basename "$sdl_src")-windows-d3d11"
  if [ ! -f "$sdl_windows/.built" ] && [ ! -d "$sdl_windows.shaders" ]; then
    wine_version=$(source_version wine trixie 10.0~repack)
    [ -n "$wine_version" ] || { echo "bootstrap: no wine 10.0 source in the package index" >&2; exit 1; }
    echo "bootstrap: compiling SDL's Direct3D 11 shaders (vkd3d of wine $wine_version), about two minutes"
    "$(dirname "$0")/shaders/d3d11-shaders.sh" "$sdl_src" "$sdl_windows.shaders" "$wine_version" \
      >"$sdl_windows.shaders.log" 2>&1 || { tail -n 40 "$sdl_windows.shaders.log"; exit 1; }
  fi
  build_sdl windows windows-d3d11 -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_C_FLAGS="-I$sdl_windows.shaders" -DSDL_RENDER_D3D11=ON \
    -DSDL_RENDER_D3D=OFF -DSDL_RENDER_D3D12=OFF -DSDL_GPU=OFF -DSDL_RENDER_GPU=OFF
  rm -rf "$sdl_windows.shaders"
fi
wait "$linux_sdl"
trap - EXIT

echo "bootstrap: ready (dependencies in $deps)"
