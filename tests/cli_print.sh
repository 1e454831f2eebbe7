#!/usr/bin/env bash
# numora print: two runs continue the numbering, --dry-run changes nothing,
# and every usage error gives status 2 with one line on stderr.
#   cli_print.sh NUMORA LAYOUT_TEXT_FILE
set -u
numora=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
command -v pdftotext >/dev/null || { echo "pdftotext is missing (poppler-utils)"; exit 77; }

# A 2 X 2 layout, order 3 (numbers run across the page), start 41, in the
# Data folder where the program keeps its layouts.
data=$XDG_DATA_HOME/Numbering/Data
mkdir -p "$data"
cp "$2" "$data/Shop.2x2"
cp "$data/Shop.2x2" "$work/original"

out=$("$numora" print Shop --pages 3 --pdf "$work/one.pdf" 2>"$work/err") || fail "first run: status $? ($(cat "$work/err"))"
grep -q 'position 1 (2 cm, 5 cm): No:000041 to No:000045' <<<"$out" || fail "first run, position 1: $out"
grep -q 'position 2 (17 cm, 5 cm): No:000042 to No:000046' <<<"$out" || fail "first run, position 2: $out"
grep -q 'printed 3 pages to' <<<"$out" || fail "first run summary: $out"
grep -q $'^Counter 00 =47\r$' "$data/Shop.2x2" || fail "start number not moved on to 47: $(grep 'Counter 00' "$data/Shop.2x2")"
text=$(pdftotext "$work/one.pdf" - | tr -s '\n' ' ')
for n in 41 42 43 44 45 46; do grep -q "No:0000$n" <<<"$text" || fail "No:0000$n missing from the first PDF"; done
grep -q "No:000047" <<<"$text" && fail "the first PDF holds No:000047"

out=$("$numora" print Shop.2x2 --pages 2 --pdf "$work/two.pdf" 2>"$work/err") || fail "second run: status $?"
grep -q 'position 1 (2 cm, 5 cm): No:000047 to No:000049' <<<"$out" || fail "second run continues at 47: $out"
grep -q $'^Counter 00 =51\r$' "$data/Shop.2x2" || fail "start number not moved on to 51"

# A dry run prints the same lines and leaves everything as it was.
cp "$data/Shop.2x2" "$work/before-dry"
out=$("$numora" print "$data/Shop.2x2" --pages 2 --pdf "$work/dry.pdf" --dry-run 2>"$work/err") || fail "dry run: status $?"
grep -q 'position 1 (2 cm, 5 cm): No:000051 to No:000053' <<<"$out" || fail "dry run lines: $out"
cmp -s "$data/Shop.2x2" "$work/before-dry" || fail "the dry run changed the layout"
[ -e "$work/dry.pdf" ] && fail "the dry run wrote a PDF"

# Printing that fails writes nothing back.
"$numora" print Shop.2x2 --pages 2 --pdf "$work/no/such/folder/x.pdf" >/dev/null 2>"$work/err"
[ $? -eq 1 ] || fail "a failed print should give status 1"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "a failed print should say one line: $(cat "$work/err")"
cmp -s "$data/Shop.2x2" "$work/before-dry" || fail "a failed print changed the layout"

# Usage errors: status 2 and one clear line.
check_usage() {
  local what=$1; shift
  "$numora" print "$@" >/dev/null 2>"$work/err"
  local rc=$?
  [ $rc -eq 2 ] || fail "$what: status $rc, expected 2"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$what: expected one line on stderr, got: $(cat "$work/err")"
}
check_usage "missing file" Nowhere.2x2 --pages 2 --pdf "$work/x.pdf"
check_usage "page count 0" Shop.2x2 --pages 0 --pdf "$work/x.pdf"
check_usage "page count word" Shop.2x2 --pages ten --pdf "$work/x.pdf"
check_usage "page count too large" Shop.2x2 --pages 100000 --pdf "$work/x.pdf"
check_usage "no page count" Shop.2x2 --pdf "$work/x.pdf"
check_usage "unknown printer" Shop.2x2 --pages 2 --printer "No Such Printer"
check_usage "unknown option" Shop.2x2 --pages 2 --colour
check_usage "option given twice" Shop.2x2 --pages 2 --pages 3 --pdf "$work/x.pdf"
check_usage "two-page option with one page" Shop.2x2 --pages 1 --two-page --pdf "$work/x.pdf"
# 999,999,999,999,990 and 24 numbers would pass the highest number that prints.
sed 's/^Counter 00 =.*/Counter 00 =999999999999990\r/' "$data/Shop.2x2" >"$data/Big.2x2"
cp "$data/Big.2x2" "$work/big-before"
check_usage "numbers past 999,999,999,999,999" Big.2x2 --pages 6 --pdf "$work/x.pdf"
cmp -s "$data/Big.2x2" "$work/big-before" || fail "a refused run changed the layout"
[ -e "$work/x.pdf" ] && fail "a refused run wrote a PDF"
cmp -s "$data/Shop.2x2" "$work/before-dry" || fail "a usage error changed the layout"

"$numora" --help | grep -q 'numora print LAYOUT --pages N' || fail "--help does not show the print command"

# The journal: the layout put back to start 41 would print 41 to 46 again.
cp "$work/original" "$data/Shop.2x2"
"$numora" print Shop --pages 2 --pdf "$work/again.pdf" >/dev/null 2>"$work/err"
rc=$?
[ $rc -eq 3 ] || fail "a run of numbers printed before: status $rc, expected 3"
grep -q 'No:000041 to No:000043 at position 1: run 1' "$work/err" || fail "the refusal names the range: $(cat "$work/err")"
[ -e "$work/again.pdf" ] && fail "a refused run wrote a PDF"
cmp -s "$data/Shop.2x2" "$work/original" || fail "a refused run changed the layout"
out=$("$numora" print Shop --pages 2 --pdf "$work/again.pdf" --allow-duplicates 2>"$work/err") || fail "--allow-duplicates: status $?"
grep -q 'printed 2 pages' <<<"$out" || fail "--allow-duplicates did not print: $out"

out=$("$numora" journal --number "No:000045" 2>"$work/err") || fail "journal --number: status $?"
grep -q '^No:000045: run 1 (.*layout Shop), page 3, position 1$' <<<"$out" || fail "journal --number: $out"
[ "$("$numora" journal | wc -l)" -eq 4 ] || fail "journal lists four runs (one failed): $("$numora" journal)"
"$numora" journal --layout Nothing | grep -q . && fail "journal --layout filters"
"$numora" journal | tail -1 | grep -qF "  to $work/one.pdf  Shop  " || fail "the journal names the PDF written: $("$numora" journal | tail -1)"

# Pages 2 to 3 of the first run again: the same texts where they stood.
out=$("$numora" reprint 1 --pages 2-3 --pdf "$work/reprint.pdf" 2>"$work/err") || fail "reprint: status $? ($(cat "$work/err"))"
pdftotext -f 2 -l 3 -bbox "$work/one.pdf" - | grep '<word' >"$work/one-words"
pdftotext -bbox "$work/reprint.pdf" - | grep '<word' >"$work/reprint-words"
[ -s "$work/reprint-words" ] || fail "the reprint holds no text"
cmp -s "$work/one-words" "$work/reprint-words" || fail "the reprint differs from pages 2 to 3: $(diff "$work/one-words" "$work/reprint-words" | head -5)"
cmp -s "$data/Shop.2x2" "$work/original" && fail "the layout should have moved on with the --allow-duplicates run"
"$numora" journal | head -1 | grep -q 'reprint of run 1, pages 2 to 3' || fail "the reprint is journaled: $("$numora" journal | head -1)"
"$numora" reprint 9 --pdf "$work/x.pdf" >/dev/null 2>&1; [ $? -eq 2 ] || fail "reprint of a run that does not exist: status 2"

if [ $failures -eq 0 ]; then echo "cli_print: all checks held"; exit 0; fi
exit 1
