#!/usr/bin/env bash
# scripts/run, as a user without root, with the Debian package query stubbed:
# it must ask for what building and running the calculator needs, and
# nothing the tests alone need, and build without warnings as errors.
set -euo pipefail
source_dir=$(cd "$1" && pwd)
stub=$(mktemp -d)
trap 'rm -rf "$stub"' EXIT
fail() { echo "package lists test: $*" >&2; exit 1; }

# dpkg-query reports as installed exactly the packages in $INSTALLED.
cat >"$stub/dpkg-query" <<'STUB'
#!/usr/bin/env bash
package=${!#}
for p in $INSTALLED; do [ "$p" = "$package" ] && { printf 'install ok installed'; exit 0; }; done
exit 1
STUB
printf '#!/bin/sh\n[ "$1" = -u ] && echo 1000 || exec /usr/bin/id "$@"\n' >"$stub/id"
chmod +x "$stub/dpkg-query" "$stub/id"

source "$source_dir/scripts/packages.sh"
run_list=" ${run_packages[*]} "
for p in "${test_packages[@]}" "${windows_packages[@]}" "${debian13_packages[@]}" "${fuzz_packages[@]}" "${art_packages[@]}"; do
  case $run_list in *" $p "*) fail "$p is in the run list and a test list" ;; esac
done

# Nothing installed: scripts/run is refused, naming the run packages alone.
status=0
message=$(cd "$source_dir" && PATH="$stub:$PATH" INSTALLED="" DISPLAY=:0 scripts/run 2>&1) || status=$?
[ "$status" -ne 0 ] || fail "scripts/run went on with nothing installed"
grep -q "Missing Debian packages: ${run_packages[*]}\$" <<<"$message" ||
  fail "scripts/run did not name exactly the run packages: $message"
for p in "${test_packages[@]}" "${windows_packages[@]}" "${debian13_packages[@]}" "${fuzz_packages[@]}" "${art_packages[@]}"; do
  grep -qw -- "$p" <<<"$message" && fail "scripts/run asks for $p, which only the tests need: $message"
done

# Qt and a compiler present: the run check passes, whatever the tests lack.
PATH="$stub:$PATH" INSTALLED="${run_packages[*]}" ensure_packages "${run_packages[@]}" ||
  fail "the run check refuses a machine that has every run package"
# And the tests' check still asks for what they add.
status=0
message=$(PATH="$stub:$PATH" INSTALLED="${run_packages[*]}" ensure_packages "${run_packages[@]}" "${test_packages[@]}" 2>&1) || status=$?
[ "$status" -ne 0 ] && grep -q "Missing Debian packages: ${test_packages[*]}\$" <<<"$message" ||
  fail "the test check did not ask for the test packages: $message"
# A user's build must not stop for a warning that a newer compiler adds;
# the tests' build keeps treating warnings as errors.
werror() { (cd "$source_dir" && cmake --preset "$1" -N) | sed -n 's/^ *VINTREL_WERROR="\(.*\)"$/\1/p'; }
[ "$(werror run)" = OFF ] || fail "scripts/run's build treats warnings as errors"
[ "$(werror test)" = ON ] || fail "the tests' build lets warnings through"
# The Debian 13 lane takes the entries for this release, its updates and its
# security fixes from apt's sources, deb822 and one-line alike, and moves
# them to Debian 13; disabled entries, source entries, comments, other
# suites and other archives stay out. On Debian 13 the lane has no sources.
read -r release codename <<<"$(. /etc/os-release && echo "${VERSION_ID:-} ${VERSION_CODENAME:-}")"
if [ "$release" != 13 ] && [ -n "$codename" ]; then
  mkdir -p "$stub/apt/sources.list.d" "$stub/apt/apt.conf.d"
  printf 'Types: deb deb-src\nURIs: file:/srv/a\nSuites: %s\n  %s-updates %s-backports\nComponents: main contrib\n\n' \
    "$codename" "$codename" "$codename" >"$stub/apt/sources.list.d/a.sources"
  printf '# A comment\nTypes: deb\nURIs: file:/srv/b\nSuites: %s-security\nComponents: main\n\n' \
    "$codename" >>"$stub/apt/sources.list.d/a.sources"
  printf 'Types: deb\nEnabled: no\nURIs: file:/srv/off\nSuites: %s\nComponents: main\n' \
    "$codename" >"$stub/apt/sources.list.d/off.sources"
  printf '%s\n' "# deb file:/srv/commented $codename main" "deb [signed-by=/k.gpg] file:/srv/c $codename main # note" \
    "deb-src file:/srv/c $codename main" "deb file:/srv/other nodistro main" "deb file:/srv/a $codename main contrib" \
    >"$stub/apt/sources.list"
  printf 'Dir::Etc "%s/apt";\n' "$stub" >"$stub/apt.conf"
  expected="deb file:/srv/a trixie main contrib
deb file:/srv/a trixie-updates main contrib
deb file:/srv/b trixie-security main
deb file:/srv/c trixie main"
  entries=$(cd "$source_dir" && APT_CONFIG="$stub/apt.conf" scripts/test-debian13 --sources 2>&1) ||
    fail "the Debian 13 lane found no sources: $entries"
  [ "$entries" = "$expected" ] || fail "the Debian 13 lane would use: $entries"
fi
echo "package lists test: scripts/run asks only for ${run_packages[*]}"
