# The game builds into build/ and runs there (it reads Res/ relative to its
# working directory). The tests build into build-test/ with the sanitizers.
JOBS ?= $(shell nproc)
BUILD := build
TEST_BUILD := build-test

.PHONY: all deps run test demo clean soak fuzz package bench coverage sound-sheet

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

# Every sound of Res/Sound as a spectrogram, to look at what the music sounds like.
sound-sheet: all
	cd $(BUILD) && ./resgen --sound-sheet Res sound-sheet.png

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

# The monkey player for a million keys over eight seeds, then the guided
# player (real campaigns played on purpose) on the same seeds, under the
# sanitizers. Each run plays in a folder of its own under build-test/soak/.
SOAK_KEYS ?= 125000
SOAK_SEEDS ?= 1 2 3 4 5 6 7 8
GUIDED_KEYS ?= 100000
GUIDED_SEEDS ?= $(SOAK_SEEDS)
SOAK_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
soak:
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=ON -DKESTREL_TESTS=ON
	cmake --build $(TEST_BUILD) -j $(JOBS) --target kestrelmoor resources
	@rm -rf $(TEST_BUILD)/soak && mkdir -p $(TEST_BUILD)/soak
	@set -e; run() { player=$$1; keys=$$2; s=$$3; dir=$(TEST_BUILD)/soak/$$player$$s; \
	  mkdir -p $$dir/Res/Save $$dir/Res/Log/Err; \
	  for f in $(TEST_BUILD)/Res/*; do case $$(basename $$f) in Save|Log) ;; *) ln -sf $$(realpath $$f) $$dir/Res/ ;; esac; done; \
	  echo "== $$player, seed $$s"; rc=0; \
	  (cd $$dir && $(SOAK_ENV) ../../kestrelmoor --headless --$$player $$keys --seed $$s >report.txt 2>&1) || rc=$$?; \
	  cat $$dir/report.txt; [ $$rc -eq 0 ] || fails="$$fails $$player:$$s"; }; \
	fails=""; for s in $(SOAK_SEEDS); do run monkey $(SOAK_KEYS) $$s; done; \
	for s in $(GUIDED_SEEDS); do run guided $(GUIDED_KEYS) $$s; done; \
	scripts/guided_summary.sh $(foreach s,$(GUIDED_SEEDS),$(TEST_BUILD)/soak/guided$(s)/report.txt); \
	[ -z "$$fails" ] || { echo "soak: findings in$$fails (reports in $(TEST_BUILD)/soak/)"; exit 1; }; \
	echo "soak: monkey $(SOAK_KEYS) keys and guided $(GUIDED_KEYS) keys on each seed, no findings"

# Line and branch coverage of the tests per folder, with an HTML report
# under build-coverage/coverage/ (gcov and gcovr).
COVERAGE_BUILD := build-coverage
coverage: deps
	@scripts/coverage.sh $(COVERAGE_BUILD) $(JOBS)

# Every reader of outside data under libFuzzer for FUZZ_SECONDS each, two at a
# time, on the corpora of fuzz/corpus/ and seeds from the real data; what
# reaches new code joins the corpora. Needs clang with libFuzzer (installed
# here if missing). FUZZ_DEEP_SECONDS also runs the two whole-game targets.
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
	  xvfb-run -a -s "-screen 0 1920x1080x24" ./kestrel_bench; else ./kestrel_bench; fi

# The browser build: build-web/ holds index.html, index.js, index.wasm and
# index.data (the game's data), with the late data under late/. Everything it
# needs comes from Debian (scripts/install-web-deps.sh); resgen runs natively.
# Serve it with `python3 web/serve.py build-web` (or any static server).
WEB_BUILD := build-web
WEB_ENV := NODE_PATH=/usr/share/nodejs
WEB_FOLDERS := platform shell campaign strategy war battle rules app
.PHONY: web web-test
web:
	@scripts/install-web-deps.sh $(WEB_BUILD)/deps/src
	@scripts/install-deps.sh
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS) --target resources
	JOBS=$(JOBS) web/build-deps.sh $(WEB_BUILD)/deps
	/usr/bin/python3 web/gbk_sources.py . $(WEB_BUILD)/gbk-src $(WEB_FOLDERS)
	/usr/bin/python3 web/stage_data.py $(BUILD)/Res $(WEB_BUILD)
	/usr/bin/python3 web/make_fonts.py . $(BUILD)/Res $(WEB_BUILD)/fonts $$(ls -d $(WEB_BUILD)/deps/src/freetype-*/ | head -n1)
	$(WEB_ENV) emcmake cmake -S web -B $(WEB_BUILD)/cmake -DCMAKE_BUILD_TYPE=Release \
	  -DKESTREL_OUT=$(CURDIR)/$(WEB_BUILD) -DKESTREL_GBK_SOURCES=$(CURDIR)/$(WEB_BUILD)/gbk-src \
	  -DKESTREL_DEPS=$(CURDIR)/$(WEB_BUILD)/deps -DKESTREL_DATA_STAGE=$(CURDIR)/$(WEB_BUILD)/stage \
	  -DKESTREL_FONTS=$(CURDIR)/$(WEB_BUILD)/fonts -DKESTREL_DATA_STAMP=$(CURDIR)/$(BUILD)/Res/.stamp
	$(WEB_ENV) cmake --build $(WEB_BUILD)/cmake -j $(JOBS)
	@/usr/bin/python3 web/sizes.py $(WEB_BUILD)

# Plays a short campaign in headless Chromium and compares its pictures with
# the desktop game's headless ones of the same keys; reloads the page between
# saving and loading. WEB_TEST_FLAGS=--budget-report-only reports the timing
# budget without failing on it (CI, a machine of unknown load).
WEB_TEST_FLAGS ?=
web-test: web all
	/usr/bin/python3 web/web_test.py --build $(BUILD) --web $(WEB_BUILD) --keys web/campaign.keys $(WEB_TEST_FLAGS)
