# Shared by the scripts: install what is missing, then build.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build"

# qt6-wayland lets Tarvix open on a Wayland desktop without Qt's warning.
packages=(cmake make g++ qt6-base-dev qt6-wayland libgl-dev libgtest-dev googletest fonts-comic-neue fonts-dejavu-core)

install_missing() {
    local missing=()
    for p in "${packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Missing packages (${missing[*]}) and no sudo: run as root." >&2; exit 1; }
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures and builds into $build; arguments are further CMake options.
build_tarvix() {
    local werror=OFF
    [ -n "${CI:-}" ] && werror=ON
    mkdir -p "$build"
    cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARVIX_WERROR=$werror "$@" >"$build/configure.log" 2>&1 ||
        { cat "$build/configure.log"; exit 1; }
    cmake --build "$build" -j "$(nproc)" 2>&1 | grep -vE '^\[ *[0-9]+%\]|^(Consolidate|Automatic|-- )' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "Build failed" >&2; exit 1; }
}
