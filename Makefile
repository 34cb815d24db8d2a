# The two everyday commands: `make run` and `make test`. Everything else is a building block.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# The arm64 build for the board (Debian's multiarch Qt; any other toolchain file works too).
BOARD_BUILD ?= build-arm64
BOARD_TOOLCHAIN ?= cmake/aarch64-linux-gnu.toolchain.cmake
BOARD_CMAKE_FLAGS ?=
DIST ?= dist
# The sanitizer build: AddressSanitizer and UndefinedBehaviorSanitizer over our code and tests.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(abspath tests/sanitize/lsan.supp):print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$(abspath tests/sanitize/ubsan.supp)

.PHONY: all setup configure build run test test-sanitize bench translations clean board package service-test

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

# Every unit, QML and integration suite once more, built with the sanitizers; any finding fails.
test-sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCS_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	@cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure --no-tests=error -L 'unit|qml|integration' -j$(JOBS)

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
# with no network (about 1.5 minutes once its root exists, plus about 3.5 the first time; see README).
service-test: build
	@bash scripts/setup.sh --service-test
	@rm -rf $(BUILD)/dist && cd $(BUILD) && cpack -G DEB >/dev/null
	@bash scripts/service-test.sh $(BUILD)

clean:
	@rm -rf $(BUILD) $(BOARD_BUILD) $(DIST)
