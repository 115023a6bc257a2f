# Sourced by the scripts in this folder: the Debian packages each of them
# needs, and the sanitizers' run-time settings.

# Installs the named Debian packages that are missing, when running as root;
# otherwise says which to install and fails.
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install --no-install-recommends ${missing[*]}" >&2
    return 1
  fi
}

# What building and running the calculator needs; scripts/run asks for
# these alone.
run_packages=(cmake g++ make qt6-base-dev)

# What the tests add: their frameworks and Python, an X server with a window
# manager and synthetic input, Wayland compositors (weston with Xwayland,
# GNOME's mutter, KDE's KWin and its Breeze decoration, without which KWin
# draws no title bar) with Qt's Wayland platform, the D-Bus launcher
# whose absence one test checks for, image tools, a second locale, and the
# desktop, packaging and Windows resource checkers, valgrind for the memory
# check of a scripted session, and Google Benchmark for the engine's timings.
test_packages=(libgtest-dev python3 xvfb xauth xdotool x11-utils openbox weston xwayland mutter kwin-wayland
               kwin-style-breeze qt6-wayland dbus-x11 imagemagick locales desktop-file-utils appstream dpkg-dev
               binutils-mingw-w64-x86-64 lintian git valgrind libbenchmark-dev)

# What the Windows build and its run under Wine add to the tests: MinGW-w64
# with POSIX threads (the suites start threads), GoogleTest's sources to
# build for Windows, Wine, Ninja, which builds Qt for Windows, xclip,
# through which the window test reads what the program copies, and wixl,
# which builds the MSI.
windows_packages=(g++-mingw-w64-x86-64-posix googletest wine64 ninja-build xclip wixl)

# What scripts/test-debian13 adds: mmdebstrap, which makes the Debian 13
# root, and ip, which brings up the loopback of the root's own network.
debian13_packages=(mmdebstrap iproute2)

# What scripts/fuzz adds to the tests: Clang with libFuzzer and the
# sanitizers' runtimes. The runtimes are packaged under the major version of
# the release's default Clang, which the release fixes: 14 in Debian 12, 19
# in Debian 13. Another release is asked through apt.
clang_major() {
  local release
  release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_ID:-}")
  case $release in
  12) echo 14 ;;
  13) echo 19 ;;
  *) apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1 ;;
  esac
}
fuzz_packages=(clang "libclang-rt-$(clang_major)-dev")

# What scripts/render-art needs to draw the pictures and icons again:
# rsvg-convert, ImageMagick, jpegtran, and Python for the forest.
art_packages=(librsvg2-bin imagemagick libjpeg-turbo-progs python3)

# The conversion tests check that a decimal-comma locale does not leak in.
ensure_test_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && [ "$(id -u)" -eq 0 ]; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || true
  fi
}

# Any sanitizer report stops the run with a failure; abort_on_error stays
# off so that the report is printed in full.
export_sanitizer_options() {
  export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:print_stacktrace=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
}
