#!/usr/bin/env bash
# Caplift's one entry point for developers and CI: installs what is missing, builds, runs.
#   ./dev.sh run     build and start the desktop app
#   ./dev.sh test    build (plain and with ASan/UBSan) and run every test, then short fuzz runs;
#                    with CI=true also the package check below
#   ./dev.sh package build the installable package: a .deb on Linux, Caplift.app and a .dmg on macOS
#   ./dev.sh check-package  build the .deb, run lintian on it, install it, try it as a user would,
#                    remove it, and put back a Caplift that was installed before (Linux)
#   ./dev.sh bench   build and run the benchmarks (see bench/README.md)
#   ./dev.sh deps    only install what is missing
# The builds are CMakePresets.json's presets, in build/<preset>.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
jobs=$(getconf _NPROCESSORS_ONLN 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)

debian_packages=(
  cmake ninja-build g++ pkg-config
  libxml2-dev
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  locales
  dpkg-dev file
  # The real readers that the tests hand the outputs to (the WebVTT parser comes from npm).
  ffmpeg python3-srt nodejs
)
# What packaging/check-package.sh needs to try the package as a user would.
package_check_packages=(
  lintian desktop-file-utils appstream man-db shared-mime-info xdg-utils libfile-mimeinfo-perl
  xvfb xauth xdotool xclip
)
brew_packages=(cmake ninja qt libxml2 googletest google-benchmark llvm ffmpeg node)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_deps() {
  case "$(uname -s)" in
    Linux)
      command -v apt-get >/dev/null || { echo "dev.sh: needs apt-get (Debian 12 or alike)" >&2; exit 1; }
      local missing=()
      for p in "${debian_packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
      done
      # Debian packs npm apart from nodejs; some nodejs packages bring their own.
      command -v npm >/dev/null || missing+=(npm)
      if [ ${#missing[@]} -gt 0 ]; then
        echo "dev.sh: installing ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
      fi
      ;;
    Darwin)
      command -v brew >/dev/null || { echo "dev.sh: needs Homebrew (https://brew.sh)" >&2; exit 1; }
      for p in "${brew_packages[@]}"; do brew list --versions "$p" >/dev/null || brew install "$p"; done
      export CMAKE_PREFIX_PATH="$(brew --prefix qt);$(brew --prefix libxml2);$(brew --prefix googletest);$(brew --prefix google-benchmark)"
      ;;
    *) echo "dev.sh: unsupported system $(uname -s)" >&2; exit 1 ;;
  esac
}

# configure_and_build PRESET [cmake options...]: builds in build/PRESET.
configure_and_build() {
  local preset=$1; shift
  (cd "$root" && cmake --preset "$preset" "$@" >/dev/null && cmake --build --preset "$preset" -j "$jobs")
}

# package DIR: makes the package of the build in DIR and prints its path.
package() {
  (cd "$1" && cpack) | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p'
}

# run_tests PRESET: the test preset sets the display platform and the sanitizers' options.
run_tests() {
  (cd "$root" && ctest --preset "$1" -j "$jobs")
}

# Installs and removes packages, so it runs only where that is wanted: in CI, or when asked.
check_package() {
  install_deps "${package_check_packages[@]}"
  configure_and_build release
  local deb
  deb=$(package "$root/build/release")
  "$root/packaging/check-package.sh" "$deb"
}

cmd=${1:-}
case "$cmd" in
  deps)
    install_deps
    ;;
  run)
    install_deps
    configure_and_build release -DCAPLIFT_BUILD_TESTS=OFF
    if [ "$(uname -s)" = Darwin ]; then
      exec open -W "$root/build/release/app/Caplift.app"
    fi
    exec "$root/build/release/app/caplift"
    ;;
  test)
    install_deps
    echo "== release build"
    configure_and_build release
    run_tests release
    if [ "$(uname -s)" = Linux ] && [ "${CI:-}" = true ]; then
      echo "== the package: lintian, installed, tried and removed"
      check_package
    fi
    echo "== ASan + UBSan build"
    configure_and_build asan
    run_tests asan
    if [ -x "$root/fuzz/run.sh" ]; then
      echo "== fuzzing, ${CAPLIFT_FUZZ_SECONDS:-60} s per target"
      "$root/fuzz/run.sh" "${CAPLIFT_FUZZ_SECONDS:-60}"
    fi
    ;;
  package)
    install_deps
    configure_and_build release
    package "$root/build/release"
    ;;
  check-package)
    [ "$(uname -s)" = Linux ] || { echo "dev.sh: the package check is for the Debian package" >&2; exit 1; }
    install_deps
    check_package
    ;;
  bench)
    install_deps python3-lxml time
    exec "$root/bench/run.sh" "${@:2}"
    ;;
  *)
    sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
