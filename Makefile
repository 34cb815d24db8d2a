# The two everyday commands: `make run` and `make test`. Everything else is a building block.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# The arm64 build for the board (Debian's multiarch Qt; any other toolchain file works too).
BOARD_BUILD ?= build-arm64
BOARD_TOOLCHAIN ?= cmake/aarch64-linux-gnu.toolchain.cmake
BOARD_CMAKE_FLAGS ?=
DIST ?= dist

.PHONY: all setup configure build run test bench translations clean board package service-test

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure --no-tests=error -LE bench -j$(JOBS)

bench: build
	@bash scripts/setup.sh --bench
	@cd $(BUILD) && ctest --output-on-failure --no-tests=error -L bench -V

# Brings the translation template up to date with the UI's captions (a test fails while it lags).
translations: configure
	@cmake --build $(BUILD) --target translations

# Builds the whole project for arm64 in its own folder and runs the unit tests there under
# user-mode emulation.
board:
	@bash scripts/setup.sh --board
	@cmake -S . -B $(BOARD_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(abspath $(BOARD_TOOLCHAIN)) \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo $(BOARD_CMAKE_FLAGS) >/dev/null
	@cmake --build $(BOARD_BUILD) -j$(JOBS)
	@cd $(BOARD_BUILD) && ctest --output-on-failure --no-tests=error -L unit -j$(JOBS)

# Debian packages for amd64 and arm64 in $(DIST)/, checked by lintian.
package: board build
	@bash scripts/setup.sh --package
	@rm -rf $(DIST) && mkdir -p $(DIST)
	@for b in $(BUILD) $(BOARD_BUILD); do \
		rm -rf $$b/dist && (cd $$b && cpack -G DEB >/dev/null) && cp $$b/dist/*.deb $(DIST)/ || exit 1; \
	done
	@lintian --fail-on error $(DIST)/*.deb
	@ls -l $(DIST)

# The amd64 package installed and run under a real systemd in a minimal Debian 12 container
# with no network (about 3 minutes, 5 the first time; see README).
service-test: build
	@bash scripts/setup.sh --service-test
	@rm -rf $(BUILD)/dist && cd $(BUILD) && cpack -G DEB >/dev/null
	@bash scripts/service-test.sh $(BUILD)

clean:
	@rm -rf $(BUILD) $(BOARD_BUILD) $(DIST)
