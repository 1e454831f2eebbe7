#!/usr/bin/env bash
# numora print and the files it writes: only a layout is printed and written
# back, a PDF destination that is not a file is refused, and a failed write
# keeps the old file byte for byte.
#   cli_files.sh NUMORA LAYOUT_TEXT_FILE            files that are not layouts, PDF destinations
#   cli_files.sh NUMORA LAYOUT_TEXT_FILE full-disk  the layout folder and the PDF's folder full
#                                                   (mounts a small tmpfs: root only, else skipped)
set -u
numora=$1
layout=$2
mode=${3:-files}
work=$(mktemp -d)
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIP: $*"; exit 77; }
data=$XDG_DATA_HOME/Numbering/Data
mkdir -p "$data"

# numora print; the status in rc, stderr in err.
run() { "$numora" print "$@" >/dev/null 2>"$work/err"; rc=$?; err=$(cat "$work/err"); }

if [ "$mode" = full-disk ]; then
  [ "$(id -u)" -eq 0 ] || skip "mounting a small file system needs root"
  mount -t tmpfs -o size=64k numora-test "$data" 2>/dev/null || skip "cannot mount a tmpfs on $data"
  mounted+=("$data")
  cp "$layout" "$data/Shop.2x2"
  cp "$data/Shop.2x2" "$work/original"
  # Fill what is left of the folder.
  head -c 1000000 /dev/zero >"$data/filler" 2>/dev/null
  run Shop --pages 2 --pdf "$work/one.pdf"
  [ $rc -eq 4 ] || fail "printed with the layout folder full: status $rc, expected 4 ($err)"
  cmp -s "$data/Shop.2x2" "$work/original" || fail "the full disk changed the layout file ($(wc -c <"$data/Shop.2x2") bytes)"
  grep -q "Shop.2x2" <<<"$err" && grep -q "start number to 45" <<<"$err" ||
    fail "the message names neither the file nor the number to continue from: $err"
  [ "$(ls -A "$data" | sort | tr '\n' ' ')" = "Shop.2x2 filler " ] || fail "files left in the folder: $(ls -A "$data")"

  # A PDF that does not fit: the older PDF at the destination stays whole.
  pdfs=$work/pdfs
  mkdir -p "$pdfs"
  umount "$data" && mount -t tmpfs -o size=64k numora-test "$pdfs" && mounted=("$pdfs") || skip "cannot mount again"
  cp "$layout" "$data/Shop.2x2"
  head -c 20000 /dev/urandom >"$pdfs/old.pdf"
  cp "$pdfs/old.pdf" "$work/old.pdf"
  run Shop --pages 200 --pdf "$pdfs/old.pdf" --allow-duplicates
  [ $rc -eq 1 ] || fail "a PDF that did not fit: status $rc, expected 1 ($err)"
  cmp -s "$pdfs/old.pdf" "$work/old.pdf" || fail "the failed run changed the older PDF"
  cmp -s "$data/Shop.2x2" "$layout" || fail "the failed run moved the numbering"
  [ "$(ls -A "$pdfs")" = "old.pdf" ] || fail "files left beside the PDF: $(ls -A "$pdfs")"
else
  cp "$layout" "$data/Shop.2x2"

  # Files that are not layouts are refused and stay as they are.
  printf 'Call the bindery on Monday\nPaper: 80 g\n' >"$work/notes.txt"
  head -c 300000 /dev/urandom >"$work/random.bin"
  sed 's/^No. Counter=2 X 2/No. Counter=5 X 5/' "$layout" >"$work/Odd.2x2"
  head -n 53 "$layout" >"$work/Short.2x2"
  sed 's/^Font Size  =/Font Sizes =/' "$layout" >"$work/Key.2x2"
  for f in notes.txt random.bin Odd.2x2 Short.2x2 Key.2x2; do
    cp "$work/$f" "$work/$f.before"
    run "$work/$f" --pages 1 --pdf "$work/$f.pdf"
    [ $rc -eq 2 ] && grep -q "not a layout file" <<<"$err" || fail "$f: status $rc, $err"
    cmp -s "$work/$f" "$work/$f.before" && [ ! -e "$work/$f.pdf" ] || fail "$f was changed or printed"
  done

  # A temporary file left beside the layout by a crash is not another layout.
  cp "$layout" "$data/Shop.2x2.Xq3bLm"
  run Shop --pages 1 --pdf "$work/one.pdf"
  [ $rc -eq 0 ] || fail "the layout beside a temporary file: status $rc ($err)"
  # Only the numbering lines were written back; the others are as they were.
  diff <(sed -n '1,7p;9,42p' "$layout") <(sed -n '1,7p;9,42p' "$data/Shop.2x2") >/dev/null ||
    fail "lines other than the numbering changed"
  grep -q $'^Counter 00 =43\r$' "$data/Shop.2x2" || fail "start number not moved on to 43"

  # PDF destinations that are not files are refused before the run.
  mkdir "$work/folder.pdf"
  mkfifo "$work/pipe.pdf"
  devices=("$work/folder.pdf" "$work/pipe.pdf" "$XDG_DATA_HOME/Numbering/journal.sqlite")
  [ "$(id -u)" -eq 0 ] && mknod "$work/full" c 1 7 && devices+=("$work/full")
  cp "$data/Shop.2x2" "$work/before"
  for d in "${devices[@]}"; do
    type=$(stat -c %F:%s "$d")
    run Shop --pages 1 --pdf "$d"
    [ $rc -eq 2 ] || fail "PDF to $d: status $rc, expected 2 ($err)"
    [ "$(stat -c %F:%s "$d" 2>/dev/null)" = "$type" ] || fail "$d is no longer a $type"
    cmp -s "$data/Shop.2x2" "$work/before" || fail "PDF to $d moved the numbering"
  done

  # A PDF its owner made read-only is not replaced (a rename needs only the folder).
  echo "older pages" >"$work/kept.pdf"
  if chmod 444 "$work/kept.pdf" && { [ "$(id -u)" -ne 0 ] || chattr +i "$work/kept.pdf" 2>/dev/null; }; then
    run Shop --pages 1 --pdf "$work/kept.pdf"
    chattr -i "$work/kept.pdf" 2>/dev/null
    [ $rc -eq 2 ] && grep -q "read-only" <<<"$err" || fail "read-only PDF: status $rc ($err)"
    [ "$(cat "$work/kept.pdf")" = "older pages" ] || fail "the read-only PDF was replaced"
  fi

  # A layout that cannot be written back: printed, status 4, file and number named.
  if chattr +i "$data/Shop.2x2" 2>/dev/null || { [ "$(id -u)" -ne 0 ] && chmod 555 "$data"; }; then
    run Shop --pages 1 --pdf "$work/two.pdf"
    chattr -i "$data/Shop.2x2" 2>/dev/null; chmod 755 "$data"
    [ $rc -eq 4 ] || fail "an unwritable layout: status $rc, expected 4 ($err)"
    grep -q "Shop.2x2 could not be written" <<<"$err" && grep -q "start number to 45" <<<"$err" ||
      fail "the status 4 message: $err"
    [ -s "$work/two.pdf" ] || fail "status 4 without the printed PDF"
    cmp -s "$data/Shop.2x2" "$work/before" || fail "the unwritable layout changed"
  else
    echo "note: no way to make the layout unwritable here (root without chattr); the full-disk test gives status 4"
  fi
fi

if [ $failures -eq 0 ]; then echo "cli_files ($mode): all checks held"; exit 0; fi
exit 1
