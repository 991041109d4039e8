#!/usr/bin/env bash
# The tabulon tool's contract with people and scripts, checked on the sample
# files: every error is one line "tabulon COMMAND: message" (usage errors add
# the usage line) with no internal class names, exit status 1 for bad input
# and 2 for bad usage; every command answers --help; files are never
# clobbered. Everything written goes to a temporary directory.
#   tests/apps/cli_test.sh BUILD/bin/tabulon forms/samples
set -uo pipefail
bin="$1"
samples="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# run STATUS ARGS...: runs the tool, keeps its output in $out and $err and
# checks the exit status and the error shape.
run() {
  local want="$1"
  shift
  "$bin" "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  out="$(tr -d '\000' <"$tmp/out")"
  err="$(cat "$tmp/err")"
  [ "$got" -eq "$want" ] || fail "tabulon $*: exit status $got, expected $want (stderr: $err)"
  if [ "$want" -ne 0 ]; then
    local first="${err%%$'\n'*}"
    [[ "$first" == "tabulon $1: "* || "$first" == "tabulon: "* ]] ||
      fail "tabulon $*: error not in the shape 'tabulon $1: message': $first"
    if [ "$want" -eq 1 ] && [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then
      fail "tabulon $*: more than one line for an input error: $err"
    fi
    if [ "$want" -eq 2 ] && [[ "$err" != *$'\n'"usage: tabulon "* ]] && [[ "$1" != -* ]]; then
      [[ "$first" == "tabulon: unknown command"* ]] || fail "tabulon $*: no usage line: $err"
    fi
  fi
  if grep -Eq '\bE[A-Z][A-Za-z]*(Error|Exception)\b' "$tmp/err"; then
    fail "tabulon $*: internal class name in: $err"
  fi
}

# expect_err TEXT: the error output is exactly TEXT (first line).
expect_err() {
  [ "${err%%$'\n'*}" == "$1" ] || fail "expected error '$1', got '${err%%$'\n'*}'"
}
expect_in_err() {
  [[ "$err" == *"$1"* ]] || fail "expected '$1' in the error, got '$err'"
}

form="$samples/sample_dialog.dfm"
script="$samples/sample_dialog.script"

# --- every command answers --help with its own usage ---------------------------
for cmd in classes convert check render run sample-db data; do
  run 0 "$cmd" --help
  [[ "$out" == "usage: tabulon $cmd"* ]] || fail "tabulon $cmd --help: $out"
done
run 2 nope
expect_err "tabulon: unknown command 'nope' (see tabulon --help)"

# --- sample-db: never clobbers, strict numbers ----------------------------------
db="$tmp/sample.db"
run 0 sample-db "$db"
printf 'keep me\n' >"$tmp/README"
run 1 sample-db "$tmp/README"
expect_err "tabulon sample-db: $tmp/README already exists (--force replaces it)"
[ "$(cat "$tmp/README")" == "keep me" ] || fail "sample-db changed an existing file"
mkdir "$tmp/dir"
touch "$tmp/dir/inside"
run 1 sample-db "$tmp/dir" --force
expect_err "tabulon sample-db: $tmp/dir is a directory"
[ -f "$tmp/dir/inside" ] || fail "sample-db removed a directory"
run 2 sample-db "$tmp/other.db" --scale 2x
expect_err "tabulon sample-db: --scale needs a whole number from 1 to 1000"
[ ! -e "$tmp/other.db" ] || fail "sample-db wrote a file after bad usage"
run 2 sample-db "$tmp/other.db" --scale
run 2 sample-db
run 0 sample-db "$tmp/README" --force
[ "$(head -c 15 "$tmp/README")" == "SQLite format 3" ] || fail "--force did not replace the file"

# --- data: the database's own words ----------------------------------------------
run 0 data "$db" --table PARTS --limit 2
run 1 data "$db" --table NOPE
expect_err "tabulon data: no such table: NOPE"
run 1 data "$db" --sql "SELEKT 1"
expect_in_err "tabulon data: near \"SELEKT\": syntax error"
run 1 data "$tmp/none.db" --table PARTS
expect_err "tabulon data: Cannot open file \"$tmp/none.db\". No such file or directory"
run 2 data "$db"
expect_err "tabulon data: give either --table or --sql"
run 2 data "$db" --table PARTS --limit x

# --- convert and check ------------------------------------------------------------
run 0 convert "$form" "$tmp/dialog.bin"
run 0 convert "$form" -
[ "$(head -c 4 "$tmp/out")" == "TPF0" ] || fail "convert IN - did not write the binary form"
run 0 convert "$tmp/dialog.bin" -
[[ "$out" == "object SampleDialog: TForm"* ]] || fail "convert BIN - did not write the text"
run 0 check "$tmp/dialog.bin"
cp "$form" "$tmp/copy.dfm"
for same in "$tmp/copy.dfm" "$tmp/./copy.dfm"; do
  run 2 convert "$tmp/copy.dfm" "$same"
  expect_err "tabulon convert: will not overwrite the input file $tmp/copy.dfm"
done
cmp -s "$form" "$tmp/copy.dfm" || fail "convert overwrote its input"
run 1 convert "$tmp/none.dfm"
expect_err "tabulon convert: Cannot open file \"$tmp/none.dfm\". No such file or directory"
run 1 convert "$script"
expect_in_err "tabulon convert: $script: not a form file"
# A damaged binary is reported the same way by both, with its offset.
head -c 200 "$tmp/dialog.bin" >"$tmp/damaged.bin"
run 1 convert "$tmp/damaged.bin"
converted="${err#tabulon convert: }"
run 1 check "$tmp/damaged.bin"
checked="${err#tabulon check: }"
[ "$converted" == "$checked" ] || fail "convert said '$converted', check said '$checked'"
[[ "$checked" == "$tmp/damaged.bin: offset "*": Stream read error" ]] ||
  fail "damaged binary: $checked"
printf 'object X: TForm\n  Caption = '"'"'\xff'"'"'\nend\n' >"$tmp/latin1.dfm"
run 1 check "$tmp/latin1.dfm"
expect_err "tabulon check: $tmp/latin1.dfm: Invalid UTF-8 in column 14 on line 2"
printf 'object X: TForm\n  Nope = 1\nend\n' >"$tmp/nope.dfm"
run 1 check "$tmp/nope.dfm"
expect_err "tabulon check: $tmp/nope.dfm:2: Error reading X.Nope: Property Nope does not exist"
run 2 check

# --- render -------------------------------------------------------------------------
run 0 render "$samples/sample_panel.dfm" "$tmp/panel.png"
run 2 render "$samples/sample_panel.dfm" "$tmp/panel.jpg"
expect_err "tabulon render: the picture's file name must end in .png"
[ ! -e "$tmp/panel.jpg" ] || fail "render wrote a file that is not .png"
run 2 render "$samples/sample_panel.dfm" "$tmp/panel.png" --width 0

# --- run ------------------------------------------------------------------------------
run 0 run "$form" --script "$script" --show laName
[[ "$out" == "ModalResult: mrOk"* ]] || fail "run: $out"
run 1 run "$form" --script "$tmp/none.script"
expect_err "tabulon run: Cannot open file \"$tmp/none.script\". No such file or directory"
run 1 run "$form" --script "$tmp/dir"
expect_err "tabulon run: Cannot open file \"$tmp/dir\". Is a directory"
run 1 run "$form" --show NOPE
expect_err "tabulon run: $form: no control named 'NOPE' on form 'SampleDialog'"
printf 'type "x"\nclick NOPE\n' >"$tmp/bad.script"
run 1 run "$form" --script "$tmp/bad.script"
expect_err "tabulon run: $tmp/bad.script: Script line 2: no control named 'NOPE' on form 'SampleDialog'"
printf 'key Hyper\n' >"$tmp/key.script"
run 1 run "$form" --script "$tmp/key.script"
expect_err "tabulon run: $tmp/key.script: Script line 1: Unknown key 'Hyper'"
printf 'type "open\n' >"$tmp/parse.script"
run 1 run "$form" --script "$tmp/parse.script"
expect_in_err "tabulon run: $tmp/parse.script: Script line 1: "
run 1 run "$samples/sample_panel.dfm"
expect_in_err ", not a form"
run 2 run "$form" --bogus

# --- run over the sample database: rows, the current record, pictures per step --------
pushd "$tmp" >/dev/null  # the filter panel form names sample.db
panel="$samples/filter_panel.dfm"
printf 'snapshot "%s"\nkey Enter\n' "$tmp/step.png" >"$tmp/snap.script"
run 0 run "$panel" --script "$tmp/snap.script" --value FilterPanel1.CITY=Berlin --rows Customers --limit 2
[[ "$out" == *$'\nRows of Customers: '*$' (the first 2 shown)\n'* ]] || fail "run --limit: $out"
rows="$(printf '%s\n' "$out" | sed -n '/^Rows of Customers/,/^Current record/p')"
[ "$(printf '%s\n' "$rows" | wc -l)" -eq 5 ] || fail "run --limit 2: not two rows: $rows"
[[ "$(printf '%s\n' "$rows" | sed -n 3p)" == ">"*Berlin* ]] || fail "run: first row not marked current: $rows"
[[ "$rows" == *$'\nCurrent record: row 1' ]] || fail "run: current record: $rows"
[ "$(head -c 8 "$tmp/step.png" | od -A n -t x1 | tr -d ' ')" == "89504e470d0a1a0a" ] ||
  fail "snapshot did not write a PNG"
printf 'snapshot "%s"\n' "$tmp/none/x.png" >"$tmp/badsnap.script"
run 1 run "$panel" --script "$tmp/badsnap.script"
expect_err "tabulon run: $tmp/badsnap.script: Script line 1: Cannot create file $tmp/none/x.png"
run 2 run "$panel" --rows Customers --limit x
expect_err "tabulon run: --limit needs a number of 0 or more (0: all)"
run 2 run "$panel" --limit 3
expect_err "tabulon run: --limit goes with --rows"
run 1 run "$panel" --rows Nope
expect_err "tabulon run: $panel: no dataset named 'Nope' on form 'CustomerFilter'"
# A form naming a missing database or table fails as it loads; nothing is created.
sed 's/sample.db/missing.db/' "$panel" >"$tmp/missing.dfm"
run 1 run "$tmp/missing.dfm"
expect_in_err "Cannot open database 'missing.db'"
[ ! -e "$tmp/missing.db" ] || fail "run created the missing database"
sed "s/'CUSTOMERS'/'NOPE'/" "$panel" >"$tmp/notable.dfm"
run 1 run "$tmp/notable.dfm"
expect_in_err "no such table: NOPE"
# --execute: the find dialog walks the companies beginning with the value
# (OK, then Next twice), the filter dialog switches its filter on; a value
# given with --value goes to the dialog's record.
find="$samples/find_dialog.dfm"
run 0 run "$find" --execute FindDialog --execute FindDialog --execute FindDialog \
  --script "$samples/find_dialog.script" --show Customers
[[ "$out" == "Execute FindDialog: True"$'\n'*"  Customers = CUSTNO=651, COMPANY=Bauer & Kowalski Fittings"* ]] ||
  fail "run --execute FindDialog: $out"
printf 'key Escape\n' >"$tmp/cancel.script"
run 0 run "$find" --execute FindDialog --value FindDialog.COMPANY=Larsen --script "$tmp/cancel.script" --show Customers
[[ "$out" == "Execute FindDialog: False"$'\n'"  Customers = CUSTNO=917,"* ]] ||
  fail "run --execute, cancelled: $out"
run 0 run "$samples/filter_dialog.dfm" --execute FilterDialog \
  --script "$samples/filter_dialog.script" --rows Customers --limit 1 --png "$tmp/filter.png"
[[ "$out" == *$'\nRows of Customers: 130 (the first 1 shown)\n'* ]] || fail "run --execute FilterDialog: $out"
[ -s "$tmp/filter.png" ] || fail "run --execute --png wrote no picture"
run 1 run "$find" --execute Customers
expect_err "tabulon run: $find: no find or filter dialog named 'Customers' on form 'FindCustomerForm'"
# The package's own forms read and render from their files.
for f in TfmFieldsSet TfmFind TfmFilter; do
  run 0 check "$samples/../run/$f.dfm"
  run 0 render "$samples/../run/$f.dfm" "$tmp/$f.png"
done
popd >/dev/null

# --- classes: what form files may hold, no internal helpers -------------------------
run 0 classes
for public in TForm TPanel TLabel TEdit TClientDataSet; do
  grep -q "^$public\b" "$tmp/out" || fail "classes does not list $public"
done
for public in TParser TReader TWriter; do
  grep -q "^$public\b" "$tmp/out" || fail "classes does not list $public"
done
for internal in TLoadSentinel TPendingFixups TDragTracker TTopLevelWatcher; do
  if grep -q "^$internal\b" "$tmp/out"; then fail "classes lists the internal $internal"; fi
done
run 1 classes TLoadSentinel
expect_err "tabulon classes: class TLoadSentinel is not registered"
run 1 classes TNope
expect_err "tabulon classes: class TNope is not registered"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "tabulon CLI: all checks passed"
