#!/usr/bin/env bash
# Installs what is missing, builds, and then starts Numora, runs every test
# or makes the Debian package.   Usage: scripts/numora.sh run|test|package
# Missing Debian packages are installed with apt-get as root: directly when
# run as root, otherwise through sudo (which asks for your password).
set -euo pipefail

mode=${1:-run}
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libbenchmark-dev
  # Printing: the CUPS client library the printer service hands documents
  # to, a CUPS scheduler and its tools for the printing tests, and
  # poppler's tools that read the printed PDFs back; a PostScript printer's
  # real filter chain (pdftopdf, pdftops, Ghostscript) for the runs in parts.
  libcups2-dev cups cups-client poppler-utils cups-filters-core-drivers ghostscript
  # The run journal: Qt's SQLite driver, and its PostgreSQL driver with a
  # server for the shared journal's tests; sqlite3 lets the command-line
  # tests mark a journaled run as cut short.
  libqt6sql6-sqlite libqt6sql6-psql postgresql sqlite3
  # Machine-readable codes: zint makes them; zbar and libdmtx's tools read
  # the printed ones back in the tests.
  libzint-dev zbar-tools dmtx-utils
  # Fonts the windows use, Arabic script included.
  fonts-dejavu-core fonts-liberation2 fonts-freefont-ttf fonts-noto-core
  # The package: its icons drawn from the SVG, the manual page made from
  # --help, and the checks of the package, its menu entry and metainfo.
  librsvg2-bin help2man dpkg-dev fakeroot lintian appstream desktop-file-utils man-db
  # The program on an X server of its own in the tests, with screenshots.
  xvfb openbox xdotool imagemagick
)

# What the last build was made from: every file of the source tree with its
# time and size. When it has not changed, `run` starts the program at once.
stamp_file="$build/numora-sources.stamp"
source_stamp() {
  (cd "$here" && find CMakeLists.txt cmake src dist tools tests bench README.md docs -type f \
     -printf '%p %T@ %s\n' 2>/dev/null | LC_ALL=C sort | md5sum)
}
if [ "$mode" = run ] && [ -x "$build/src/numora" ] && [ -f "$stamp_file" ] &&
   [ "$(source_stamp)" = "$(cat "$stamp_file")" ]; then
  exec "$build/src/numora" "${@:2}"
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # Installing needs root: as root directly, otherwise through sudo, so that
  # the program itself is built and run as the user who started the command.
  if [ "$(id -u)" -eq 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them as root (apt-get install ${missing[*]}) or run this command as root." >&2
    exit 1
  fi
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A compiler cache, where there is one, makes the second build cheap.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ "$mode" = sanitize ]; then
  # A Debug build of its own with AddressSanitizer and UndefinedBehaviorSanitizer.
  build="$here/build-asan"
  sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DNUMORA_WERROR=ON "${launcher[@]}" \
        -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
else
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DNUMORA_WERROR=ON "${launcher[@]}" >/dev/null
fi
stamp=$(source_stamp)
cmake --build "$build" -j2
[ "$mode" = sanitize ] || echo "$stamp" >"$stamp_file"

case "$mode" in
  run)
    exec "$build/src/numora" "${@:2}"
    ;;
  test)
    export QT_QPA_PLATFORM=offscreen
    # Timed benchmarks (label "benchmark") report figures; they are run on
    # their own: ctest --test-dir build -L benchmark
    ctest --test-dir "$build" --output-on-failure -j2 -LE benchmark
    ;;
  sanitize)
    export QT_QPA_PLATFORM=offscreen
    # Undefined behaviour stops the test that meets it, with its stack.
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    # Leaks are reported, except those inside system libraries.
    export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
    # The shared journal's test drives 99,999-page runs against a real server
    # through the command line; it runs in the Release suite, and under the
    # sanitizers it would take the better part of an hour.
    ctest --test-dir "$build" --output-on-failure -j2 -LE benchmark -E '^shared_journal$'
    ;;
  package)
    # numora_VERSION_ARCH.deb in the build folder, ready for apt install.
    (cd "$build" && cpack -G DEB)
    ls "$build"/numora_*.deb
    ;;
  *)
    echo "usage: $0 run|test|package|sanitize" >&2
    exit 2
    ;;
esac
