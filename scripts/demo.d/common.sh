# Shared by the demo steps (sourced, not run): strict mode, the places the
# steps work in and a way to show a failure the step expects.
#   bin   the tabulon tool (absolute path)
#   root  the source tree
#   out   where the pictures go (build/demo/)
set -euo pipefail
bin="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="${TABULON_DEMO_OUT:-$root/build/demo}"
# Dates are typed and shown as in the C locale, the same on every machine.
export LC_ALL=C.UTF-8
mkdir -p "$out"

# expect_failure ARGS...: runs the tool, shows its error and exit status and
# fails the step when the tool succeeded (the demo shows errors on purpose).
expect_failure() {
  local status=0
  "$bin" "$@" || status=$?
  if [ "$status" -eq 0 ]; then
    echo "demo: 'tabulon $*' succeeded but should have failed" >&2
    return 1
  fi
  echo "(exit status $status)"
}
