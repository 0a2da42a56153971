# Zelmora: the one entry point. Every target first installs what a fresh Debian 12 machine
# lacks, then configures and builds what it needs.
SHELL := /bin/bash
.DEFAULT_GOAL := build
JOBS ?= $(shell nproc)

APT_PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev googletest \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
  wine64 fonts-wine xvfb xauth locales fonts-ipafont-gothic imagemagick libc-bin

PRESETS := native native-asan windows

.PHONY: build test demo deps configure clean

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

test: build
	@status=0; \
	for p in $(PRESETS); do \
	  echo "== testing $$p"; \
	  ctest --preset $$p -j $(JOBS) || status=1; \
	done; \
	exit $$status

demo: build
	@echo "== zelmora-cli info samples/tulip.bmp"
	@build/native/bin/zelmora-cli info samples/tulip.bmp
	@if [ -n "$${DISPLAY:-}" ]; then \
	  echo "== Zelmora.exe under Wine on display $$DISPLAY (close its window to end the demo)"; \
	  WINEPREFIX=$(CURDIR)/build/windows/wineprefix-demo cmake/wine-run.sh build/windows/bin/Zelmora.exe; \
	else \
	  echo "== no display (DISPLAY is not set), so Zelmora.exe is not started;"; \
	  echo "   docs/zelmora-start.png shows it, and tools/screenshot.sh takes that picture again"; \
	fi

clean:
	rm -rf build
