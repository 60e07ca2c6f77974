#!/bin/sh
# Builds the fuzz targets with clang and runs each for a bounded time on a seed
# corpus made from the generated data. Usage: scripts/fuzz.sh BUILD_DIR SECONDS
set -e
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-60}
ROOT=$(pwd)
if ! command -v clang++ >/dev/null 2>&1 || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get install -y clang libclang-rt-14-dev
fi
TARGETS="fuzz_save fuzz_tables fuzz_line_list fuzz_bmp fuzz_profile fuzz_key_script"
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DKESTREL_FUZZ=ON -DKESTREL_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j "$(nproc)" --target $TARGETS kestrelmoor resources

cd "$BUILD"
rm -rf seeds && mkdir -p seeds/fuzz_save seeds/fuzz_tables seeds/fuzz_line_list seeds/fuzz_bmp seeds/fuzz_profile seeds/fuzz_key_script
find Res -name '*.kdt' -exec cp {} seeds/fuzz_tables/ \;
for f in $(find Res -name '*.kss'); do cp "$f" "seeds/fuzz_line_list/$(echo "$f" | tr / _)"; done
find Res -name '*.kbp' -size -200k -exec cp {} seeds/fuzz_bmp/ \;
cp Res/startup.ini seeds/fuzz_profile/ 2>/dev/null || printf '[Startup]\nWidth=800\n[Key]\nUp=38\n' > seeds/fuzz_profile/startup.ini
cp "$ROOT/scripts/demo.keys" "$ROOT/fuzz/seed_save.keys" seeds/fuzz_key_script/
# A real slot file, saved by the game itself.
rm -rf seedgame && mkdir -p seedgame/Res/Save seedgame/Res/Log/Err
for f in Res/*; do case $(basename "$f") in Save|Log) ;; *) ln -s "$(realpath "$f")" seedgame/Res/ ;; esac; done
(cd seedgame && ../kestrelmoor --headless --seed 3 --keys "$ROOT/fuzz/seed_save.keys" >/dev/null 2>&1 || true)
cp seedgame/Res/Save/*.ksv seeds/fuzz_save/ 2>/dev/null || true

mkdir -p corpus logs
# Absolute paths: some targets change into a scratch folder of their own.
HERE=$(pwd)
status=0
for t in $TARGETS; do
  mkdir -p "corpus/$t"
  maxlen=4096
  [ "$t" = fuzz_bmp ] && maxlen=204800
  [ "$t" = fuzz_save ] && maxlen=65536
  [ "$t" = fuzz_key_script ] && maxlen=512
  if ./fuzzers/$t -max_total_time="$SECONDS_EACH" -max_len=$maxlen -timeout=30 -rss_limit_mb=4096 -print_final_stats=1 \
       -artifact_prefix="$HERE/logs/$t-" "$HERE/corpus/$t" "$HERE/seeds/$t" >"logs/$t.txt" 2>&1; then
    result="0 crashes"
  else
    result="FINDING (see $BUILD/logs/$t.txt)"
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "logs/$t.txt" | grep -o '[0-9]*$' || echo '?')
  printf '%-16s %10s executions in %ss: %s\n' "$t" "$runs" "$SECONDS_EACH" "$result" | tee -a logs/summary.txt
done
exit $status
