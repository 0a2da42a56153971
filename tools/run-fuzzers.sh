#!/usr/bin/env bash
# Runs every fuzz target of build/fuzz for SECONDS each (default 60), seeded from the BMP Suite,
# the sample pictures and the kept regression inputs. A crashing input is kept under
# build/fuzz/crashes/; the exit code is non-zero when any target crashed.
set -u
seconds=${1:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build/fuzz
suite=$top/../shared/bmpsuite
[ -d "$suite" ] || suite=$top/testdata/bmpsuite
mkdir -p "$build/crashes" "$build/seeds/open" "$build/seeds/make"
cp -f "$suite"/g/*.bmp "$suite"/b/*.bmp "$top"/samples/*.bmp "$build/seeds/open/" 2>/dev/null
chmod u+w "$build"/seeds/open/*
# fuzz_make reads four setting bytes (extra width, extra height, stamps, warm-up) before the file.
for seed in "$build"/seeds/open/*; do
  { printf '\x05\x03\x07\x2a'; cat "$seed"; } >"$build/seeds/make/$(basename "$seed")"
done
# Inputs that once crashed a target are kept beside it and always run again.
for kept in "$top"/fuzz/regressions/*; do
  [ -f "$kept" ] || continue
  case $(basename "$kept") in
    make-*) cp -f "$kept" "$build/seeds/make/" ;;
    *) cp -f "$kept" "$build/seeds/open/" ;;
  esac
done

status=0
for target in "$build"/bin/fuzz_*; do
  name=$(basename "$target")
  corpus=$build/corpus/$name
  seeds=$build/seeds/${name#fuzz_}
  mkdir -p "$corpus"
  log=$build/$name.log
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$name-" "$corpus" "$seeds" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  if [ $rc -ne 0 ]; then
    status=1
    echo "$name: FAILED after ${runs:-?} runs (exit $rc); see $log and build/fuzz/crashes/"
    grep -m 5 -E 'ERROR|SUMMARY|deadly signal' "$log"
  else
    echo "$name: ${runs:-?} runs in ${seconds}s, no crash; corpus $(ls "$corpus" | wc -l) inputs"
  fi
done
exit $status
