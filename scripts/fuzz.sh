#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a bounded time
# (seconds, default 30) on its seed corpus: fuzz/corpus/<target>/ plus the
# generated demo styles or levels for the style and level decoders.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
./scripts/build.sh fuzz
bin=build/fuzz
status=0
for target in "$bin"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work="$bin/corpus/$name"
  mkdir -p "$work"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds+=("fuzz/corpus/$name")
  case "$name" in
    *style*) [ -d "$bin/demo/STYLES" ] && seeds+=("$bin/demo/STYLES") ;;
    *level*) [ -d "$bin/demo/LEVELS" ] && seeds+=("$bin/demo/LEVELS") ;;
  esac
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "$work" "${seeds[@]}" > "$bin/$name.log" 2>&1; then
    tail -n 40 "$bin/$name.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|Done' "$bin/$name.log" | tail -n 2
  fi
done
exit $status
