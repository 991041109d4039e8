#!/usr/bin/env bash
# The README's filter panel example, run on the sample database: the
# customers it prints for a city are those SQLite finds for that city
# (compared as sorted lists: the dataset orders names by the locale's
# collation, SQLite by bytes).
#   tests/apps/filter_panel_example_test.sh BUILD/bin/tabulon BUILD/bin/filter_panel_example FORM
set -euo pipefail
tabulon="$1"
example="$2"
form="$3"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
"$tabulon" sample-db "$tmp/sample.db" >/dev/null
cd "$tmp"   # the form names sample.db
# The city with the most customers, written in lower case (the panel ignores case).
city=$(sqlite3 sample.db "SELECT lower(CITY) FROM CUSTOMERS GROUP BY CITY ORDER BY COUNT(*) DESC, CITY LIMIT 1")
"$example" "$form" "$city" >got
{
  echo "$(sqlite3 sample.db "SELECT COUNT(*) FROM CUSTOMERS WHERE CITY = '$city' COLLATE NOCASE") customers in $city"
  sqlite3 sample.db "SELECT COMPANY FROM CUSTOMERS WHERE CITY = '$city' COLLATE NOCASE" | LC_ALL=C sort
} >want
{ head -1 got; tail -n +2 got | LC_ALL=C sort; } | diff -u want -
[ "$(wc -l <got)" -gt 2 ] || { echo "FAIL: too few customers to tell anything" >&2; exit 1; }
echo "filter panel example: $(head -1 got)"
