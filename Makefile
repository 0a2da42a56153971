# Zelmora: the one entry point. Every target first installs what a fresh Debian 12 machine
# lacks, then configures and builds what it needs.
SHELL := /bin/bash
.DEFAULT_GOAL := build
JOBS ?= $(shell nproc)

APT_PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev googletest \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine64 fonts-wine xvfb xauth locales fonts-ipafont-gothic imagemagick libc-bin \
  clang libclang-rt-14-dev libglib2.0-dev libglib2.0-bin gsettings-desktop-schemas \
  libbenchmark-dev

PRESETS := native native-asan windows

# `make bench`: each benchmark is repeated this often, in random order, and the table takes the
# median of the repetitions.
BENCH_REPETITIONS ?= 5
BENCH_FLAGS ?=

# Seconds each fuzz target runs in `make fuzz`; `make test` gives each a short run.
FUZZ_SECONDS ?= 60
TEST_FUZZ_SECONDS ?= 10

.PHONY: build test demo deps configure clean fuzz fuzz-build bench

deps:
	@bash tools/install-deps.sh $(APT_PACKAGES)

configure: deps
	@for p in $(PRESETS); do \
	  [ -f build/$$p/CMakeCache.txt ] || cmake --preset $$p >/dev/null || exit 1; \
	done

build: configure
	@for p in $(PRESETS); do \
	  echo "== building $$p"; cmake --build --preset $$p -j $(JOBS) || exit 1; \
	done

test: build fuzz-build
	@status=0; \
	for p in $(PRESETS); do \
	  echo "== testing $$p"; \
	  ctest --preset $$p -j $(JOBS) || status=1; \
	done; \
	echo "== fuzzing each target for $(TEST_FUZZ_SECONDS)s"; \
	bash tools/run-fuzzers.sh $(TEST_FUZZ_SECONDS) || status=1; \
	exit $$status

fuzz-build: deps
	@[ -f build/fuzz/CMakeCache.txt ] || cmake --preset fuzz >/dev/null
	@echo "== building fuzz"; cmake --build --preset fuzz -j $(JOBS)

fuzz: fuzz-build
	@bash tools/run-fuzzers.sh $(FUZZ_SECONDS)

bench: deps
	@[ -f build/native/CMakeCache.txt ] || cmake --preset native >/dev/null
	@echo "== building compositor_bench"; cmake --build --preset native -j $(JOBS) --target compositor_bench
	@build/native/bin/compositor_bench --benchmark_repetitions=$(BENCH_REPETITIONS) \
	  --benchmark_enable_random_interleaving=true $(BENCH_FLAGS)

demo: build
	@echo "== zelmora-cli info samples/tulip.bmp"
	@build/native/bin/zelmora-cli info samples/tulip.bmp
	@mkdir -p build/demo
	@echo "== zelmora-cli make samples/tulip.bmp build/demo/wallpaper.bmp --size 1920x1080 --stamps 30"
	@build/native/bin/zelmora-cli make samples/tulip.bmp build/demo/wallpaper.bmp \
	  --size 1920x1080 --stamps 30
	@build/native/bin/zelmora-cli info build/demo/wallpaper.bmp
	@if command -v convert >/dev/null; then \
	  convert build/demo/wallpaper.bmp build/demo/wallpaper.png && \
	  echo "== wrote build/demo/wallpaper.png"; \
	else \
	  echo "== ImageMagick is not installed: build/demo/wallpaper.png not made"; \
	fi
	@if [ -n "$${DISPLAY:-}" ]; then \
	  echo "== Zelmora.exe under Wine on display $$DISPLAY (close its window to end the demo)"; \
	  WINEPREFIX=$(CURDIR)/build/windows/wineprefix-demo cmake/wine-run.sh build/windows/bin/Zelmora.exe; \
	else \
	  echo "== no display (DISPLAY is not set), so Zelmora.exe is not started;"; \
	  echo "   docs/zelmora-start.png shows it, and tools/screenshot.sh takes that picture again"; \
	fi

clean:
	rm -rf build
