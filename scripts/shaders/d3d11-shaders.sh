#!/usr/bin/env bash
# Compiles SDL's Direct3D 11 shaders from the HLSL in SDL's source into the
# headers its renderer includes (Debian's SDL source leaves those out).
#
#   scripts/shaders/d3d11-shaders.sh SDL_SOURCE OUT_DIR WINE_SOURCE_VERSION
#
# The compiler is the vkd3d-shader that Debian's wine source package carries
# (Debian 12's own vkd3d has no HLSL compiler, and the D3DCompile of Debian 12's
# Wine cannot call the shaders' functions yet). It is built with mingw-w64,
# as Wine builds it, around hlsl_to_header.c and run once under Wine. Its DXBC
# is plain shader model 4/5, without the chunk feature level 9 hardware needs:
# there SDL's Direct3D 11 renderer fails to start and SDL moves on to OpenGL.
# Needs bison, flex, mingw-w64 and Wine; all work happens in OUT_DIR.work,
# which is removed at the end. OUT_DIR holds the four headers only on success.
set -euo pipefail

if [ "$#" -ne 3 ]; then
  echo "usage: $0 SDL_SOURCE OUT_DIR WINE_SOURCE_VERSION" >&2
  exit 2
fi
sdl_src=$(realpath "$1")
out=$(realpath -m "$2")
wine_version=$3
here=$(cd "$(dirname "$0")" && pwd)
work="$out.work"
prefix="$work/wine-prefix"

cleanup() {
  if [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -k >/dev/null 2>&1 || true
  fi
  rm -rf "$work" "$out.tmp"
}
trap cleanup EXIT
rm -rf "$work" "$out" "$out.tmp"
mkdir -p "$work/gen"

# Only the vkd3d library and the two list headers it takes from Wine's tree.
(cd "$work" && apt-get source -qq --download-only --only-source "wine=$wine_version" >/dev/null)
tar -xJf "$work"/wine_*.orig.tar.xz -C "$work" --strip-components=1 --wildcards \
  '*/libs/vkd3d/*' '*/include/wine/list.h' '*/include/wine/rbtree.h'
rm -f "$work"/wine_*
vkd3d="$work/libs/vkd3d"
for grammar in hlsl preproc; do
  bison -Wno-conflicts-rr -Wno-conflicts-sr -d -o "$work/gen/$grammar.tab.c" "$vkd3d/libs/vkd3d-shader/$grammar.y"
  flex -o "$work/gen/$grammar.yy.c" "$vkd3d/libs/vkd3d-shader/$grammar.l"
done

# -O0: the compiler runs once, on four small shaders, so only building it
# takes time. -w: the library's own warnings are not ours to read.
# NONAMELESSUNION: the D3DX9 headers of mingw-w64 name their unions, as Wine's do.
cc=x86_64-w64-mingw32-gcc-posix
cflags=(-O0 -w -DNONAMELESSUNION -DLIBVKD3D_SHADER_SOURCE -I"$vkd3d" -I"$vkd3d/include" -I"$vkd3d/include/private"
  -I"$vkd3d/libs/vkd3d-shader" -I"$work/gen" -I"$work/include")
sources=("$vkd3d"/libs/vkd3d-common/{debug,error,memory,utf8}.c "$vkd3d"/libs/vkd3d-shader/*.c "$work"/gen/*.c)
export objects="$work/obj"
mkdir -p "$objects"
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -I{} \
  sh -c 'file=$1; shift; exec "$0" "$@" -c -o "$objects/$(basename "$file" .c).o" "$file"' \
  "$cc" {} "${cflags[@]}"
"$cc" -O0 -Wall -Wextra -I"$vkd3d/include" -o "$work/hlsl_to_header.exe" "$here/hlsl_to_header.c" "$objects"/*.o

# The profiles of SDL's compile_shaders.bat. Includes resolve against the
# current folder, so the compiler runs in SDL's shader folder.
mkdir -p "$out.tmp"
winout="Z:${out//\//\\}.tmp"
args=()
for shader in PixelShader_Colors:ps_4_0_level_9_1 PixelShader_Textures:ps_4_0_level_9_1 \
  PixelShader_Advanced:ps_5_0 VertexShader:vs_4_0_level_9_1; do
  name="D3D11_${shader%%:*}"
  args+=("$winout\\$name.h" "${shader#*:}" "$name.hlsl")
done
(cd "$sdl_src/src/render/direct3d11" && "$here/../wine-run.sh" "$prefix" "$work/hlsl_to_header.exe" "${args[@]}")
mv "$out.tmp" "$out"
