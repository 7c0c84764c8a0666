# Thin wrapper around CMake. `make test` and `make demo` install whatever is
# missing on a fresh Debian machine first (see tools/install-deps.sh).

BUILD   ?= build
MAKEFLAGS += --no-print-directory
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
# Warnings are errors here and in CI; a plain CMake build only reports them.
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON
# The Windows program, cross-built with mingw-w64 in its own tree.
WIN32_BUILD ?= build-win32
WIN32_FLAGS ?= -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON
# The optimised build that users and packagers make, kept free of warnings.
RELEASE_BUILD ?= build-release

.PHONY: all deps configure build test demo bench fuzz large clean win32 dist release

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build win32 release
	@bash tools/sanitize.sh
	@bash tools/fuzz.sh --short
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Everything built as a Release build (-O3), warnings as errors.
release: deps
	@cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DORVANE_WERROR=ON >/dev/null
	@cmake --build $(RELEASE_BUILD) -j $(JOBS)

# vk47_Orvane.exe, its launcher, its package and its unit tests for Windows.
win32: deps
	@cmake -S . -B $(WIN32_BUILD) $(WIN32_FLAGS) >/dev/null
	@cmake --build $(WIN32_BUILD) -j $(JOBS)

# dist/vk47_Orvane.zip: the program, its launcher and a read-me.
dist: win32
	@mkdir -p dist
	@cp $(WIN32_BUILD)/vk47_Orvane.zip dist/vk47_Orvane.zip
	@echo "dist/vk47_Orvane.zip"

demo: build
	@bash tools/demo.sh $(BUILD)

# Builds and runs the benchmarks (the reader's on a generated 50 MB file).
bench: build
	@$(BUILD)/bench/exchange_reader_bench

# Runs every fuzz target for FUZZ_SECONDS seconds each (default 60).
FUZZ_SECONDS ?= 60
fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash tools/fuzz.sh

# Whole runs on a 200 MB host file, a single 50 MB line and 100,000 picked
# points: time and peak memory.
large: build
	@$(BUILD)/large_inputs

clean:
	rm -rf $(BUILD) $(WIN32_BUILD) $(RELEASE_BUILD) dist build-asan build-asan-thread build-fuzz
