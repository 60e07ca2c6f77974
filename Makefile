# The game builds into build/ and runs there (it reads Res/ relative to its
# working directory). The tests build into build-test/ with the sanitizers.
JOBS ?= $(shell nproc)
BUILD := build
TEST_BUILD := build-test

.PHONY: all deps run test demo clean

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
