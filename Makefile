# Two commands set everything up on a fresh Debian machine:
#   make run   - install what is missing, build, build the question bank, start the program
#   make test  - the same set-up, then every test
BUILD ?= build
POOLS ?= $(abspath ../shared/pools)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all setup configure build run test screenshots bench artwork fuzz clean

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

# Builds every fuzz/*Fuzz.cpp with clang and libFuzzer in its own folder, then runs each
# for FUZZ_SECONDS seconds. Corpora grow in $(FUZZ_BUILD)/corpus, crash inputs go to
# $(FUZZ_BUILD)/crashes.
fuzz: setup
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLET_FUZZ=ON -DQUILLET_POOLS=$(POOLS) >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzzers
	@set -e; for source in fuzz/*Fuzz.cpp; do \
	  name=$$(basename $$source .cpp); \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$name $(FUZZ_BUILD)/crashes; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/fuzz/$$name -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/crashes/$$name- $(FUZZ_BUILD)/corpus/$$name; \
	done

clean:
	@rm -rf $(BUILD)
