#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get as a user would, and starts the installed
# program. The build directory is build/ unless VZ_BUILD_DIR names another one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VZ_BUILD_DIR:-build}
if [ "$(id -u)" = 0 ]; then SUDO=; else SUDO=sudo; fi

# A tree configured before keeps its generator and build type.
if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" >/dev/null
else
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one package in $build, found ${#debs[@]}" >&2; exit 1; }

dpkg-deb --info "${debs[0]}"
dpkg-deb --contents "${debs[0]}"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall "$(realpath "${debs[0]}")"

# The installed program, its menu entry and icon.
for f in /usr/bin/vodazuzovi /usr/share/applications/vodazuzovi.desktop \
         /usr/share/icons/hicolor/256x256/apps/vodazuzovi.png; do
    [ -e "$f" ] || { echo "missing after installation: $f" >&2; exit 1; }
done
help=$(QT_QPA_PLATFORM=offscreen vodazuzovi --help)
echo "$help"
grep -q -- "--ports" <<<"$help" || { echo "vodazuzovi --help did not list its options" >&2; exit 1; }
if [ -x /usr/bin/vodazuzovi-export ]; then vodazuzovi-export --help; fi

# The installed program starts and runs: a few seconds of the installed sample recording, in a
# data folder of its own.
sample=$(ls /usr/share/vodazuzovi/samples/I*.??I 2>/dev/null | head -n 1 || true)
if [ -n "$sample" ]; then
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    VODAZUZOVI_HOME="$home" QT_QPA_PLATFORM=offscreen timeout 60 \
        vodazuzovi --playback "$sample" --quit-after 3 --screenshot "$home/shot.png"
    [ -s "$home/shot.png" ] || { echo "the installed program did not run" >&2; exit 1; }
fi
echo "package check passed: ${debs[0]}"
