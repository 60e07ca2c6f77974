# The game builds into build/ and runs there (it reads Res/ relative to its
# working directory). The tests build into build-test/ with the sanitizers.
JOBS ?= $(shell nproc)
BUILD := build
TEST_BUILD := build-test

.PHONY: all deps run test demo clean soak fuzz package bench

all: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@scripts/install-deps.sh

run: all
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  cd $(BUILD) && ./kestrelmoor; \
	else \
	  echo "No display found: running the headless demo; screenshots go to $(BUILD)/demo/"; \
	  $(MAKE) --no-print-directory demo; \
	fi

demo: all
	@rm -rf $(BUILD)/demo && mkdir -p $(BUILD)/demo
	@cd $(BUILD) && ./kestrelmoor --headless --seed 1 --keys ../scripts/demo.keys --shots demo
	@ls -1 $(BUILD)/demo/*.png

test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=ON -DKESTREL_TESTS=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(TEST_BUILD)

# The monkey player for millions of keys over many seeds, under the sanitizers.
SOAK_KEYS ?= 250000
SOAK_SEEDS ?= 1 2 3 4 5 6 7 8
soak:
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=ON -DKESTREL_TESTS=ON
	cmake --build $(TEST_BUILD) -j $(JOBS) --target kestrelmoor resources
	@rm -rf $(TEST_BUILD)/soak && mkdir -p $(TEST_BUILD)/soak/Res/Save $(TEST_BUILD)/soak/Res/Log/Err
	@for f in $(TEST_BUILD)/Res/*; do case $$(basename $$f) in Save|Log) ;; *) ln -sf $$(realpath $$f) $(TEST_BUILD)/soak/Res/ ;; esac; done
	@set -e; total=0; for s in $(SOAK_SEEDS); do \
	  echo "== seed $$s"; \
	  rc=0; (cd $(TEST_BUILD)/soak && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ../kestrelmoor --headless --monkey $(SOAK_KEYS) --seed $$s >seed$$s.txt 2>&1) || rc=$$?; \
	  cat $(TEST_BUILD)/soak/seed$$s.txt; [ $$rc -eq 0 ] || exit $$rc; \
	  total=$$((total + $(SOAK_KEYS))); done; \
	echo "soak: $$total keys over seeds $(SOAK_SEEDS), no findings"

# Every reader of outside data under libFuzzer for FUZZ_SECONDS each, seeded
# with the real data. Needs clang with libFuzzer (installed here if missing).
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The Debian package (CPack): the game, kestrelmoor-config, the data, the menu
# entries, the icon and the man page, installed under /usr.
PKG_BUILD ?= build-package
package:
	cmake -S . -B $(PKG_BUILD) -DCMAKE_BUILD_TYPE=Release -DKESTREL_TESTS=OFF -DKESTREL_SANITIZE=OFF
	cmake --build $(PKG_BUILD) -j $(JOBS)
	cd $(PKG_BUILD) && cpack
	@ls -1 $(PKG_BUILD)/*.deb

# What a player waits for: every kind of key, start-up, resgen, peak memory and
# a 50-year campaign, timed on the real program in an optimised build. The
# window's memory is measured on a virtual display when xvfb-run is there.
BENCH_BUILD := build-bench
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DKESTREL_TESTS=OFF -DKESTREL_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target kestrel_bench
	@cd $(BENCH_BUILD) && if command -v xvfb-run >/dev/null && [ -z "$$DISPLAY" ]; then \
	  xvfb-run -a ./kestrel_bench; else ./kestrel_bench; fi
