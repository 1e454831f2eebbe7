#!/usr/bin/env bash
# A long "12 X 12" run to a PostScript printer through its real filter chain:
# a private cupsd, the PPD CUPS ships for a generic PostScript printer, the
# output thrown away. Reports when CUPS completed the first part and the
# last, and the peak memory of numora and of the print system's filters.
#   cups_parts_bench.sh NUMORA LAYOUT_TEXT_FILE PAGES PART_PAGES [LIMIT_SECONDS]
# PART_PAGES of PAGES or more hands the run over whole. A run not completed within
# LIMIT_SECONDS (default 1200) is stopped and its jobs cancelled.
set -u
numora=$1 layout=$2 pages=$3 part=$4 limit=${5:-1200}
for t in cupsd lpadmin lpstat cancel; do
  command -v "$t" >/dev/null || PATH=$PATH:/usr/sbin
  command -v "$t" >/dev/null || { echo "SKIP: $t is missing (cups, cups-client)"; exit 77; }
done
work=$(mktemp -d)
chmod 755 "$work" # the filters reach the spool inside it
cupsd_pid=
cleanup() {
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work"/{root,spool/tmp,cache,state,log}
cat >"$work/root/cupsd.conf" <<EOF
Listen 127.0.0.1:$port
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
DefaultPolicy open
<Policy open>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
<Location />
  Order allow,deny
  Allow from 127.0.0.1
</Location>
EOF
cat >"$work/root/cups-files.conf" <<EOF
ServerRoot $work/root
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
FileDevice Yes
EOF
cupsd -f -c "$work/root/cupsd.conf" -s "$work/root/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER=127.0.0.1:$port
for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
queue=NumoraBench
lpadmin -p $queue -E -v file:///dev/null -m drv:///sample.drv/generic.ppd 2>/dev/null || exit 1

export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
data=$XDG_DATA_HOME/Numbering/Data
mkdir -p "$data"
sed 's/^No\. Counter=.*/No. Counter=12 X 12\r/' "$layout" >"$data/Bench.12x12"

# The resident memory (kB) of every process under cupsd: the filters and
# the programs they start.
filters_kb() {
  ps -e -o pid=,ppid=,rss= | awk -v root="$cupsd_pid" '
    { parent[$1] = $2; rss[$1] = $3 }
    END { for (p in parent) { q = parent[p]; while (q > 1 && q != root) q = parent[q];
                              if (q == root) sum += rss[p] } print sum + 0 }'
}

start=$(date +%s.%N)
"$numora" print Bench --pages "$pages" --printer $queue --part-pages "$part" >"$work/out" 2>"$work/err" &
numora_pid=$!
numora_kb=0 filters_peak=0 first= drawn= done=
while :; do
  now=$(date +%s.%N)
  elapsed=$(echo "$now - $start" | bc)
  if [ -z "$drawn" ] && ! kill -0 $numora_pid 2>/dev/null; then
    wait $numora_pid; status=$?
    drawn=$elapsed
  elif [ -z "$drawn" ]; then
    kb=$(awk '/VmHWM/ {print $2}' /proc/$numora_pid/status 2>/dev/null)
    [ -n "$kb" ] && [ "$kb" -gt "$numora_kb" ] && numora_kb=$kb
  fi
  kb=$(filters_kb)
  [ "$kb" -gt "$filters_peak" ] && filters_peak=$kb
  completed=$(lpstat -W completed -o $queue 2>/dev/null | wc -l)
  [ -z "$first" ] && [ "$completed" -gt 0 ] && first=$elapsed
  if [ -n "$drawn" ] && [ -z "$(lpstat -o $queue 2>/dev/null)" ]; then
    done=$elapsed
    break
  fi
  if [ "$(echo "$elapsed > $limit" | bc)" = 1 ]; then
    kill $numora_pid 2>/dev/null
    cancel -a $queue 2>/dev/null
    break
  fi
  sleep 0.5
done
aborted=$(lpstat -W completed -l -o $queue 2>/dev/null | grep -c -i "aborted")
echo "pages $pages, parts of at most ${part}: jobs completed $completed, aborted $aborted"
echo "first part completed after ${first:-never} s; numora done after ${drawn:-not done} s (status ${status:-killed});" \
     "all completed after ${done:-not within $limit} s"
echo "peak memory: numora $((numora_kb / 1024)) MB, CUPS filters together $((filters_peak / 1024)) MB"
cat "$work/out" "$work/err" | tail -n 3 | sed 's/^/  /'
[ -n "$done" ]
