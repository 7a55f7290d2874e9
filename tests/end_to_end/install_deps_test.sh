#!/usr/bin/env bash
# scripts/install-deps against stand-ins for dpkg-query, id, sudo and
# apt-get: what it installs, and what it tells a user who cannot install.
# Usage: install_deps_test.sh <install-deps script>
set -u
script=$1
. "$(dirname "$0")/check.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bin=$work/bin
mkdir "$bin"
for tool in bash grep env; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
# Installed packages are the words of $INSTALLED; the user id is $USER_ID.
cat >"$bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
for p in $INSTALLED; do [ "$p" = "${!#}" ] && echo -n 'install ok installed'; done
exit 0
STUB
printf '#!/usr/bin/env bash\necho "$USER_ID"\n' >"$bin/id"
printf '#!/usr/bin/env bash\necho "apt-get $*" >>"$LOG"\n' >"$bin/apt-get"
# A sudo that refuses, as for a user without the rights.
printf '#!/usr/bin/env bash\necho "sudo: refused" >&2\nexit 1\n' >"$work/sudo"
chmod +x "$bin"/* "$work/sudo"

program="build-essential cmake pkg-config tcl8.6-dev tk8.6-dev blt-dev tk8.6-blt2.5 libhdf5-dev libffi-dev libpng-dev"
tests="googletest libgtest-dev libgmock-dev libbenchmark-dev hdf5-tools xvfb xauth xdotool imagemagick clang libclang-rt-14-dev"
# run <name> <user id> <sudo: yes/no> <installed> <arguments...>: output in
# <name>.err, apt-get calls in <name>.log, status in <name>.status.
run() {
  local name=$1 uid=$2 sudo=$3 installed=$4
  shift 4
  rm -f "$bin/sudo"
  [ "$sudo" = yes ] && ln -s "$work/sudo" "$bin/sudo"
  : >"$work/$name.log"
  PATH=$bin USER_ID=$uid INSTALLED=$installed LOG=$work/$name.log "$script" "$@" >"$work/$name.err" 2>&1
  echo $? >"$work/$name.status"
}
status() { [ "$(cat "$work/$1.status")" -eq "$2" ]; }
said() { grep -qF -- "$2" "$work/$1.err"; }
# before <name> <text> <later text>: both said, the first on an earlier line.
before() {
  local first second
  first=$(grep -nF -- "$2" "$work/$1.err" | head -1 | cut -d: -f1)
  second=$(grep -nF -- "$3" "$work/$1.err" | head -1 | cut -d: -f1)
  [ -n "$first" ] && [ -n "$second" ] && [ "$first" -lt "$second" ]
}

run present 1000 no "$program $tests"
check "nothing missing: nothing said" status present 0
check "nothing missing: quiet" test ! -s "$work/present.err"

run root 0 no "$program googletest libgtest-dev libgmock-dev libbenchmark-dev hdf5-tools xvfb xauth imagemagick clang libclang-rt-14-dev"
check "root installs what is missing" status root 0
check "root: apt-get gets the missing package only" \
  grep -qx "apt-get install -y -q --no-install-recommends xdotool" "$work/root.log"

run program 0 no "" program
check "program: none of the tests' packages" bash -c "! grep -qE 'gtest|benchmark|xdotool|xvfb|clang' '$work/program.log'"
check "program: the program's packages" grep -qF "libhdf5-dev libffi-dev libpng-dev" "$work/program.log"

run nosudo 1000 no "$program"
check "without sudo: fails" status nosudo 1
check "without sudo: names the packages" said nosudo "these packages are missing: $tests"
check "without sudo: the line that installs them" said nosudo \
  "apt-get update && apt-get install -y --no-install-recommends $tests"
check "without sudo: how to go on" said nosudo "once someone has installed them, run the same command again"
check "without sudo: apt-get is not run" test ! -s "$work/nosudo.log"

run refused 1000 yes "$tests"
check "sudo refused: fails" status refused 1
check "sudo refused: the packages are named before sudo is asked" \
  before refused "these packages are missing: $program" "sudo: refused"
check "sudo refused: how to go on" said refused "once someone has installed them"

run usage 0 no "" tests
check "an unknown set is refused" status usage 2
finish
