#!/usr/bin/env bash
# The demo's scenarios against SQLite over the same sample file.
#
# Customers: for every step of
# forms/samples/customers_filter.steps, typed into the filter panel's
# editors through the scripted host, the rows `tabulon run --rows` prints
# are the rows SQLite returns for the same
# criteria over the same file. They are compared by customer number: the
# dataset orders names by the locale's collation ("Öztürk" next to "Ortiz"),
# SQLite's NOCASE by bytes, so the two orders differ on purpose.
#
# Orders: for every step of forms/samples/orders_find.steps, typed into the
# find panel's editors (the customer picked by name in its lookup editor),
# the order the table stands on afterwards is the first order in date order
# (newest first, then by number) that SQLite finds for the same criteria.
#   tests/apps/scenarios_test.sh BUILD/bin/tabulon forms/samples
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
  { typing_script FilterPanel1 "$values"; echo "key Enter"; } >step.script
  "$bin" run "$samples/filter_panel.dfm" --script step.script --rows Customers >out
  # The first column is the customer number; ">" marks the current record.
  awk '/^Rows of Customers:/ { on = 1; getline; next }
       /^Current record:/ { on = 0 }
       on { sub(/^>/, ""); print $1 }' out | sort -n >got
  sqlite3 sample.db "SELECT CUSTNO FROM CUSTOMERS WHERE $sql ORDER BY CUSTNO" >want
  count=$(sed -n 's/^Rows of Customers: \([0-9]*\).*/\1/p' out)
  steps=$((steps + 1))
  if ! diff -q want got >/dev/null || [ "$count" != "$(wc -l <want)" ]; then
    echo "FAIL: step '$values': $count rows printed, SQLite has $(wc -l <want) for: $sql" >&2
    diff want got | head -5 >&2 || true
    failures=$((failures + 1))
  elif [ "$(wc -l <want)" -gt 0 ] && ! grep -q '^Current record: row 1$' out; then
    echo "FAIL: step '$values': the current record is not the first row" >&2
    failures=$((failures + 1))
  fi
done <"$samples/customers_filter.steps"
[ "$steps" -gt 0 ] || { echo "FAIL: no steps" >&2; exit 1; }
# The form's find dialog: OK and then Next three times stand on the first
# four companies that begin with the prefix, in company order.
"$bin" run "$samples/filter_panel.dfm" --execute FindDialog --execute FindDialog \
  --execute FindDialog --execute FindDialog --script "$samples/find_dialog_next.script" \
  --show Customers >out
sed -n 's/^  Customers = CUSTNO=\([0-9]*\),.*/\1/p' out >got
sqlite3 sample.db "SELECT CUSTNO FROM CUSTOMERS WHERE COMPANY LIKE 'Bauer B%'
                   ORDER BY COMPANY COLLATE NOCASE LIMIT 4" >want
if ! diff -q want got >/dev/null || [ "$(wc -l <got)" != 4 ]; then
  echo "FAIL: find dialog, OK and Next three times: $(tr '\n' ' ' <got), SQLite: $(tr '\n' ' ' <want)" >&2
  failures=$((failures + 1))
fi
customers=$steps
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
[ "$steps" -gt 0 ] || { echo "FAIL: no order steps" >&2; exit 1; }
[ "$failures" -eq 0 ] || exit 1
echo "customers: $customers steps equal SQLite's rows; the find dialog walks SQLite's matches"
echo "orders: $steps steps stand on SQLite's order"
