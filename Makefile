# The two everyday commands: `make run` and `make test`. Everything else is a building block.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all setup configure build run test bench translations clean

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
	@cd $(BUILD) && ctest --output-on-failure --no-tests=error -L bench -V

# Brings the translation template up to date with the UI's captions (a test fails while it lags).
translations: configure
	@cmake --build $(BUILD) --target translations

clean:
	@rm -rf $(BUILD)
