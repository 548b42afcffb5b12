# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
# Two commands set everything up on a fresh Debian machine:
#   make run   - install what is missing, build, build the question bank, start the program
#   make test  - the same set-up, then every test
#   make sanitize - every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer
BUILD ?= build
POOLS ?= $(abspath ../shared/pools)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
# An input taking longer than this many seconds fails the run: a hang, or a path slowed to
# quadratic time (the settings fuzzer's 8 MB files take a few seconds under ASan on a busy
# machine, a quadratic read of them minutes).
FUZZ_TIMEOUT ?= 30

.PHONY: all setup configure build run test sanitize screenshots bench bench-startup artwork fuzz \
	install uninstall package check-reproducible format format-check clean

all: build

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DQUILLET_WERROR=ON -DQUILLET_POOLS=$(POOLS) \
		>/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	@bash scripts/run $(BUILD)

# Before the tests: every program they and the scripts run comes from a package of scripts/setup.
test: build
	@bash scripts/check-setup
	@cd $(BUILD) && ctest --output-on-failure -j2

# A separate build folder with both sanitizers; the first fault ends the run. Leak detection is
# off: Qt, fontconfig and the graphics libraries keep caches alive until the process ends on
# purpose, and a suppression list for them would follow every library version; the program's own
# objects are owned by Qt parents or smart pointers.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja $(CMAKE_FLAGS) -DQUILLET_POOLS=$(POOLS) \
		-DQUILLET_WERROR=ON -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD)
	@cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j2

# make install [PREFIX=/usr/local] [DESTDIR=/staging/root]; CMAKE_INSTALL_PREFIX works as PREFIX.
# Without either, the prefix the build was configured with (default /usr/local).
PREFIX ?= $(CMAKE_INSTALL_PREFIX)
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --strip $(if $(PREFIX),--prefix "$(PREFIX)")

# Removes the files make install wrote, one by one, as cmake listed them; folders are left
# alone: the installed data folder can be the student's own folder too (PREFIX=$HOME/.local).
uninstall:
	@[ -f $(BUILD)/install_manifest.txt ] || { echo "Nothing was installed from $(BUILD)"; exit 1; }
	@while IFS= read -r f; do rm -fv "$$f"; done <$(BUILD)/install_manifest.txt

# The Debian packages quillet and quillet-sounds, built in a folder of their own
# (PACKAGE_BUILD) as Debian builds packages: dpkg-buildflags' compiler and linker flags with
# every hardening feature (fortify, bind-now, ...), no -Werror, no tests or tools, stripped
# programs. The same commit gives the same packages: archive and resource dates come from
# the last commit, and no path of the build machine reaches the programs.
PACKAGE_BUILD ?= build-package
PACKAGE_ENV = export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	export SOURCE_DATE_EPOCH=$$(git log -1 --format=%ct); \
	export QT_RCC_SOURCE_DATE_OVERRIDE=$$SOURCE_DATE_EPOCH
PACKAGE_MAPS = -ffile-prefix-map=$(CURDIR)=. -ffile-prefix-map=$(abspath $(PACKAGE_BUILD))=build

package: setup
	@set -e; $(PACKAGE_ENV); \
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=None \
	  -DCMAKE_INSTALL_PREFIX=/usr -DQUILLET_POOLS=$(POOLS) -DQUILLET_WERROR=OFF \
	  -DBUILD_TESTING=OFF -DQUILLET_BUILD_TOOLS=OFF -DQUILLET_BUILD_BENCHMARKS=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS) $(PACKAGE_MAPS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  -DCMAKE_MODULE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  -DCMAKE_SHARED_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null; \
	cmake --build $(PACKAGE_BUILD); \
	cd $(PACKAGE_BUILD) && cpack -G DEB >/dev/null && ls -1 $$PWD/*.deb

# Builds the packages twice from clean copies of the last commit and compares them.
check-reproducible: setup
	@bash scripts/check-reproducible

screenshots: build
	@mkdir -p $(BUILD)/screenshots
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/screenshots/screenshots $(BUILD)/screenshots
	@# The same at each larger window size of the settings page.
	@for size in 125:1.25 150:1.5 200:2; do mkdir -p $(BUILD)/screenshots/size-$${size%:*} && \
		QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$${size#*:} $(BUILD)/tools/screenshots/screenshots \
		$(BUILD)/screenshots/size-$${size%:*} >/dev/null || exit 1; done
	@echo "Screenshots are in $(BUILD)/screenshots (size-125, size-150, size-200: larger sizes)"

bench: build
	@$(BUILD)/bench/benchmarks

# Start-up, first question, ending and idle CPU under a virtual X server.
# Reports figures; never fails on timing (not part of make test).
bench-startup: build
	@bash scripts/bench-startup $(BUILD)

# Redraws the committed artwork in src/assets.
artwork: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/artgen/artgen src/assets

# Builds every fuzz/*Fuzz.cpp with clang and libFuzzer in its own folder, then runs each
# for FUZZ_SECONDS seconds, starting from the seeds committed in fuzz/corpus/<name> where there
# are any. Corpora grow in $(FUZZ_BUILD)/corpus, crash and timeout inputs go to
# $(FUZZ_BUILD)/crashes.
fuzz: setup
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUILLET_FUZZ=ON -DQUILLET_WERROR=ON -DQUILLET_POOLS=$(POOLS) >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzzers
	@set -e; for source in fuzz/*Fuzz.cpp; do \
	  name=$$(basename $$source .cpp); \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$name $(FUZZ_BUILD)/crashes; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  seeds=; if [ -d fuzz/corpus/$$name ]; then seeds=fuzz/corpus/$$name; fi; \
	  $(FUZZ_BUILD)/fuzz/$$name -max_total_time=$(FUZZ_SECONDS) -timeout=$(FUZZ_TIMEOUT) \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/crashes/$$name- \
	    $(FUZZ_BUILD)/corpus/$$name $$seeds; \
	done

# Lays out every C++ file git tracks as .clang-format says (format), or lists what would change
# and fails when anything would (format-check).
FORMAT_DIRS = src tests tools bench fuzz
FORMAT_FILES = $(shell git ls-files -- $(foreach d,$(FORMAT_DIRS),'$(d)/*.cpp' '$(d)/*.h'))

format:
	@clang-format -i $(FORMAT_FILES)

format-check:
	@clang-format --dry-run --Werror $(FORMAT_FILES)

clean:
	@rm -rf $(BUILD)
