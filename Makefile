# Two commands set everything up on a fresh Debian machine:
#   make run   - install what is missing, build, build the question bank, start the program
#   make test  - the same set-up, then every test
BUILD ?= build
POOLS ?= $(abspath ../shared/pools)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup configure build run test screenshots bench artwork clean

all: build

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DQUILLET_POOLS=$(POOLS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@bash scripts/run $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2

screenshots: build
	@mkdir -p $(BUILD)/screenshots
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/screenshots/screenshots $(BUILD)/screenshots
	@echo "Screenshots are in $(BUILD)/screenshots"

bench: build
	@$(BUILD)/bench/benchmarks

# Redraws the committed artwork in src/assets.
artwork: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/artgen/artgen src/assets

clean:
	@rm -rf $(BUILD)
