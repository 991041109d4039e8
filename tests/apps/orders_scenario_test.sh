#!/usr/bin/env bash
# The orders scenario of the demo against SQLite: for every step of
# forms/samples/orders_find.steps, typed into the find panel's editors
# through the scripted host (the customer picked by name in its lookup
# editor), the order the table stands on afterwards is the first order in
# date order (newest first, then by number) that SQLite finds for the same
# criteria over the same file.
#   tests/apps/orders_scenario_test.sh BUILD/bin/tabulon forms/samples
set -euo pipefail
bin="$1"
samples="$(cd "$2" && pwd)"
source "$samples/../../scripts/demo.d/typing.sh"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
"$bin" sample-db "$tmp/sample.db" >/dev/null
cd "$tmp"   # the form names sample.db
failures=0
steps=0
while IFS= read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  values="${line%%|*}"
  sql="${line#*|}"
  { typing_script FindPanel "$values"; echo "key Enter"; } >step.script
  "$bin" run "$samples/orders.dfm" --script step.script --show Orders >out
  got=$(sed -n 's/^Orders = ORDERNO=\([0-9]*\),.*/\1/p' out)
  want=$(sqlite3 sample.db "SELECT ORDERNO FROM ORDERS WHERE $sql ORDER BY ORDERED DESC, ORDERNO LIMIT 1")
  steps=$((steps + 1))
  if [ -z "$want" ] || [ "$got" != "$want" ]; then
    echo "FAIL: step '$values': the table stands on order '$got', SQLite finds '$want' for: $sql" >&2
    failures=$((failures + 1))
  fi
done <"$samples/orders_find.steps"
[ "$steps" -gt 0 ] || { echo "FAIL: no steps" >&2; exit 1; }
[ "$failures" -eq 0 ] || exit 1
echo "orders scenario: $steps steps stand on SQLite's order"
