# Two commands do all the set-up on a fresh Debian 12 machine (as root):
#   make run    builds Kestrawl and starts it
#   make test   builds the tests with AddressSanitizer and UBSan and runs them
#   make fuzz   builds the libFuzzer targets with clang and runs each for
#               FUZZ_SECONDS (60 by default)
#   make package builds the Debian package of Kestrawl (build/kestrawl_*.deb)
#   make screenshots  draws the README's pictures of the windows offscreen
#               into docs/screenshots
# Each installs what it needs with apt-get when it is missing, and is safe
# to run again.

JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= scanner docx settings text catalogue counts unicode
# The README's pictures count a novel of the shared corpus when it is there.
CORPUS ?= ../shared/corpus
# Texts of other scripts for the picture of words in every script.
UNICODE_SCREENSHOT_INPUTS ?= $(wildcard $(CORPUS)/unicode/udhr_rus.html $(CORPUS)/unicode/udhr_jpn.html)
SCREENSHOT_INPUT ?= $(firstword $(wildcard $(CORPUS)/text/fr_flaubert_madame-bovary_pg14155.utf8bom.crlf.txt) tests/data/sample.txt)
# What the tests need (the window's tests draw it offscreen, with real fonts;
# the install checks validate the desktop files; the README's recipe runs GNU
# parallel), and what the window needs besides.
TEST_PACKAGES = g++ cmake make pkg-config libgtest-dev libgmock-dev libzip-dev libxxhash-dev libicu-dev libcli11-dev \
  qt6-base-dev fonts-liberation fonts-dejavu-core desktop-file-utils appstream groff-base parallel
GUI_PACKAGES = qt6-base-dev fonts-liberation fonts-dejavu-core time
# The chart window and its test: Qt Charts, and Qt SVG to save a chart as SVG
# (the build leaves the chart window out without them).
TEST_PACKAGES += qt6-charts-dev qt6-svg-dev
GUI_PACKAGES += qt6-charts-dev qt6-svg-dev
# The Noto fonts show the words of every script (the Unicode mode).
GUI_PACKAGES += fonts-noto-core fonts-noto-cjk
# make package: dpkg-shlibdeps (in dpkg-dev) and file find the dependencies.
PACKAGE_PACKAGES = dpkg-dev file
# make bench: Google Benchmark for the microbenchmarks of the scanner.
BENCH_PACKAGES = libbenchmark-dev
# The fuzz targets: clang with libFuzzer's runtime (in libclang-rt-14-dev).
FUZZ_PACKAGES = clang libclang-rt-14-dev cmake make pkg-config libzip-dev libxxhash-dev libicu-dev

.PHONY: deps deps-test deps-fuzz deps-package deps-bench build run test package fuzz bench screenshots clean

deps: PACKAGES = $(TEST_PACKAGES) $(GUI_PACKAGES)
deps-test: PACKAGES = $(TEST_PACKAGES)
deps-fuzz: PACKAGES = $(FUZZ_PACKAGES)
deps-package: PACKAGES = $(PACKAGE_PACKAGES)
deps-bench: PACKAGES = $(BENCH_PACKAGES)
deps deps-test deps-fuzz deps-package deps-bench:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

# Without a display (a shell over ssh, a container) the window cannot open:
# the command-line companion counts the sample text instead.
run: build
	@if [ -x $(BUILD)/bin/kestrawl ] && [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/bin/kestrawl; \
	else \
	  echo "No display: counting tests/data/sample.txt with kestrawl-count instead."; \
	  $(BUILD)/bin/kestrawl-count tests/data/sample.txt; \
	fi

test: deps-test
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKWL_SANITIZE=ON -DKWL_BUILD_GUI=ON -DKWL_BUILD_BENCH=OFF
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

# A Debian package of the release build, kestrawl_VERSION_ARCH.deb in $(BUILD)/.
package: build deps-package
	cd $(BUILD) && cpack -G DEB

fuzz: deps-fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DKWL_FUZZ=ON -DKWL_BUILD_GUI=OFF -DKWL_BUILD_TESTS=OFF -DKWL_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	fuzz/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

bench: deps-bench build
	cmake --build $(BUILD) --target bench

# The README's pictures of the three windows, drawn offscreen into docs/screenshots.
screenshots: build
	cmake --build $(BUILD) -j $(JOBS) --target kestrawl-screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/kestrawl-screenshots docs/screenshots $(SCREENSHOT_INPUT) $(UNICODE_SCREENSHOT_INPUTS)

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD)
