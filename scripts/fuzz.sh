#!/bin/sh
# Builds the fuzz targets with clang and runs every reader of outside data for
# a bounded time, FUZZ_JOBS at a time, on the kept corpora of fuzz/corpus/ and
# seeds made from the generated data. New inputs that reach new code are merged
# back into fuzz/corpus/ (small files only), so the corpora grow run by run.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS_EACH
#   FUZZ_JOBS (default: the number of cores) readers run side by side;
#   FUZZ_TARGETS picks some of them; FUZZ_DEEP_SECONDS (default 0: skipped)
#   runs the two slow whole-game targets too.
set -e
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-60}
JOBS=${FUZZ_JOBS:-$(nproc)}
DEEP=${FUZZ_DEEP_SECONDS:-0}
ROOT=$(pwd)
if ! command -v clang++ >/dev/null 2>&1 || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get install -y clang libclang-rt-14-dev
fi
READERS="fuzz_save fuzz_table_file fuzz_line_list fuzz_bmp fuzz_profile fuzz_key_script"
DEEP_TARGETS="fuzz_new_campaign fuzz_whole_game"
TARGETS=${FUZZ_TARGETS:-$READERS}
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DKESTREL_FUZZ=ON -DKESTREL_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
BUILD_TARGETS="$TARGETS"
[ "$DEEP" -gt 0 ] && BUILD_TARGETS="$BUILD_TARGETS $DEEP_TARGETS"
cmake --build "$BUILD" -j "$(nproc)" --target $BUILD_TARGETS kestrelmoor resources

cd "$BUILD"
HERE=$(pwd)
rm -rf seeds logs && mkdir -p logs
for t in $READERS $DEEP_TARGETS; do mkdir -p "seeds/$t" "corpus/$t" "$ROOT/fuzz/corpus/$t"; done
find Res -name '*.kdt' -size -8k -exec cp {} seeds/fuzz_table_file/ \;
find Res -name '*.kdt' -size -8k -exec cp {} seeds/fuzz_new_campaign/ \;
for f in $(find Res -name '*.kss'); do cp "$f" "seeds/fuzz_line_list/$(echo "$f" | tr / _)"; done
find Res -name '*.kbp' -size -64k -exec cp {} seeds/fuzz_bmp/ \;
cp Res/startup.ini seeds/fuzz_profile/ 2>/dev/null || printf '[Startup]\nWidth=800\n[Key]\nUp=38\n' > seeds/fuzz_profile/startup.ini
cp "$ROOT/scripts/demo.keys" "$ROOT/fuzz/seed_save.keys" seeds/fuzz_key_script/
cp "$ROOT/scripts/demo.keys" "$ROOT/fuzz/seed_save.keys" seeds/fuzz_whole_game/
cp "$ROOT"/tests/golden/*.ksv seeds/fuzz_save/ 2>/dev/null || true
# A real slot file, saved by the game itself.
rm -rf seedgame && mkdir -p seedgame/Res/Save seedgame/Res/Log/Err
for f in Res/*; do case $(basename "$f") in Save|Log) ;; *) ln -s "$(realpath "$f")" seedgame/Res/ ;; esac; done
(cd seedgame && ../kestrelmoor --headless --seed 3 --keys "$ROOT/fuzz/seed_save.keys" >/dev/null 2>&1 || true)
cp seedgame/Res/Save/*.ksv seeds/fuzz_save/ 2>/dev/null || true

# Inputs longer than this are neither tried nor kept.
max_len() {
  case $1 in
    fuzz_bmp) echo 65536 ;;
    fuzz_save) echo 65536 ;;
    fuzz_whole_game) echo 512 ;;
    fuzz_profile|fuzz_key_script) echo 1024 ;;
    *) echo 4096 ;;
  esac
}

# Runs one target; writes logs/T.txt and logs/T.result.
run_one() {
  t=$1
  secs=$2
  if ./fuzzers/$t -max_total_time="$secs" -max_len="$(max_len "$t")" -timeout=30 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$HERE/logs/$t-" "$HERE/corpus/$t" "$ROOT/fuzz/corpus/$t" \
       "$HERE/seeds/$t" >"logs/$t.txt" 2>&1; then
    echo "0 crashes" >"logs/$t.result"
  else
    echo "FINDING (see $BUILD/logs/$t.txt)" >"logs/$t.result"
  fi
  # What reached new code joins the kept corpus (libFuzzer adds only those inputs).
  ./fuzzers/$t -merge=1 -max_len="$(max_len "$t")" "$ROOT/fuzz/corpus/$t" "$HERE/corpus/$t" >"logs/$t.merge.txt" 2>&1 || true
}

run_all() {
  secs=$1
  shift
  running=0
  for t in "$@"; do
    run_one "$t" "$secs" &
    running=$((running + 1))
    if [ "$running" -ge "$JOBS" ]; then wait; running=0; fi
  done
  wait
}

run_all "$SECONDS_EACH" $TARGETS
[ "$DEEP" -gt 0 ] && run_all "$DEEP" $DEEP_TARGETS

status=0
for t in $TARGETS $( [ "$DEEP" -gt 0 ] && echo $DEEP_TARGETS ); do
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "logs/$t.txt" | grep -o '[0-9]*$' || echo '?')
  secs=$SECONDS_EACH
  case " $DEEP_TARGETS " in *" $t "*) secs=$DEEP ;; esac
  rate='?'
  [ "$runs" != '?' ] && rate=$((runs / secs))
  result=$(cat "logs/$t.result")
  case $result in FINDING*) status=1 ;; esac
  printf '%-18s %10s executions in %ss (%s/s), corpus %s files: %s\n' "$t" "$runs" "$secs" "$rate" \
    "$(ls "$ROOT/fuzz/corpus/$t" | wc -l)" "$result" | tee -a logs/summary.txt
done
exit $status
