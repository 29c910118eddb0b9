# Two commands do all the set-up on a fresh Debian 12 machine (as root):
#   make run    builds Kestrawl and starts it
#   make test   builds the tests with AddressSanitizer and UBSan and runs them
# Both install what they need with apt-get when it is missing, and are safe
# to run again.

JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build-asan
# What the tests need, and what the window needs besides.
TEST_PACKAGES = g++ cmake make pkg-config libgtest-dev libgmock-dev libzip-dev libxxhash-dev
GUI_PACKAGES = qt6-base-dev fonts-liberation time

.PHONY: deps deps-test build run test bench clean

deps: PACKAGES = $(TEST_PACKAGES) $(GUI_PACKAGES)
deps-test: PACKAGES = $(TEST_PACKAGES)
deps deps-test:
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
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKWL_SANITIZE=ON -DKWL_BUILD_GUI=OFF -DKWL_BUILD_BENCH=OFF
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(BUILD) --target bench

clean:
	rm -rf $(BUILD) $(TEST_BUILD)
