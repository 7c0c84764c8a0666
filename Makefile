# Thin wrapper around CMake. `make check`, `make test` and `make demo` install
# whatever is missing on a fresh Debian machine first (see tools/install-deps.sh).

BUILD   ?= build
MAKEFLAGS += --no-print-directory
# The builds, tests and scripts below get their own job counts (JOBS), not a
# share of the job server of `make test`, which runs them side by side.
OWN_JOBS = MAKEFLAGS=
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
export JOBS
# The optimised Release build (-O3) that users and packagers make, with
# warnings as errors here and in CI (a plain CMake build only reports them).
# The tests run in it, so it is compiled once for both.
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release -DORVANE_WERROR=ON
# The Windows program, cross-built with mingw-w64 in its own tree: -O2, without
# debug information (the program is stripped, and -g changes no code: it would
# only lengthen the build), each layer of the core compiled as one source
# (CMakeLists.txt, ORVANE_UNITY_LAYERS).
WIN32_BUILD ?= build-win32
WIN32_FLAGS ?= -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
               "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" -DORVANE_WERROR=ON -DORVANE_UNITY_LAYERS=ON
# The tests that run the Windows build under Wine (frontends/win32/tests/WineTests.cmake).
WINE_TESTS = ^win32\.
# Those of them that need only the program, its package and the helpers that
# drive it (not the unit tests built for Windows).
WINE_PROGRAM_TESTS = ^win32\.(program|dialog\..*|host_session\..*)$$

.PHONY: all deps configure win32-configure build check test demo bench bench-startup fuzz large clean win32 dist \
        wine-tests wine-programs win32-programs native-run wine-program-run wine-unit-run \
        wine-chain sanitize-chain fuzz-chain native-run-nice \
        sanitize-build sanitize-run fuzz-build fuzz-run

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

win32-configure: deps
	@cmake -S . -B $(WIN32_BUILD) $(WIN32_FLAGS) >/dev/null

build: configure
	@$(OWN_JOBS) cmake --build $(BUILD) -j $(JOBS)

# The short loop: the build and its tests, without the Windows build, the
# sanitizers or fuzzing.
check: configure
	@$(OWN_JOBS) $(MAKE) --no-print-directory native-run

# Everything, as CI runs it: the native build and its tests, the Windows
# build and its tests under Wine, the tests under the sanitizers and each fuzz
# target for a short while, in three chains side by side. The Wine chain
# mostly waits for windows, so everything else runs beside it at a lower
# priority, on the processors it leaves idle; docs/building.md tells the
# order and the reasons. Each build has JOBS compile jobs; each
# chain's output is shown whole when it ends.
test: deps
	@$(MAKE) -j 3 --output-sync=target wine-chain sanitize-chain fuzz-chain

wine-chain:
	@$(OWN_JOBS) $(MAKE) -j 2 --output-sync=target --no-print-directory win32-programs wine-programs
	@$(OWN_JOBS) $(MAKE) -j 3 --output-sync=target --no-print-directory wine-unit-run native-run-nice
sanitize-chain:
	@$(OWN_JOBS) nice -n 5 $(MAKE) --no-print-directory sanitize-run
fuzz-chain:
	@$(OWN_JOBS) nice -n 5 $(MAKE) --no-print-directory fuzz-run
native-run-nice:
	@$(OWN_JOBS) nice -n 10 $(MAKE) --no-print-directory native-run

# The Windows build and its tests under Wine, one at a time: they share one
# Wine prefix.
wine-tests: win32 wine-programs
	@$(OWN_JOBS) $(MAKE) --no-print-directory wine-unit-run

# The native programs that the Wine tests call (the host double and the
# preview, in the host's sessions).
wine-programs: configure
	@$(OWN_JOBS) cmake --build $(BUILD) -j $(JOBS) --target orvane-host-double orvane-preview

# The Windows program, its package and the helpers that drive it.
win32-programs: win32-configure
	@$(OWN_JOBS) cmake --build $(WIN32_BUILD) -j $(JOBS) --target orvane_wine_programs

# The steps of test, run once what they need is built: the Wine tests of the
# program itself, then (once the whole Windows build is done) the rest.
native-run:
	@$(OWN_JOBS) cmake --build $(BUILD) -j $(JOBS)
	@cd $(BUILD) && $(OWN_JOBS) ctest --output-on-failure -j $(JOBS) -E '$(WINE_TESTS)'
wine-program-run:
	@cd $(BUILD) && $(OWN_JOBS) ctest --output-on-failure -R '$(WINE_PROGRAM_TESTS)'
wine-unit-run: wine-program-run win32
	@cd $(BUILD) && $(OWN_JOBS) ctest --output-on-failure -R '$(WINE_TESTS)' -E '$(WINE_PROGRAM_TESTS)'

sanitize-build: deps
	@$(OWN_JOBS) bash tools/sanitize.sh --build-only

sanitize-run: sanitize-build
	@$(OWN_JOBS) bash tools/sanitize.sh

fuzz-build: deps
	@$(OWN_JOBS) bash tools/fuzz.sh --build-only

fuzz-run: fuzz-build
	@$(OWN_JOBS) bash tools/fuzz.sh --short

# vk47_Orvane.exe, its launcher, its package and its unit tests for Windows.
win32: win32-configure
	@$(OWN_JOBS) cmake --build $(WIN32_BUILD) -j $(JOBS)

# dist/vk47_Orvane.zip: the program, its launcher and a read-me.
dist: win32
	@mkdir -p dist
	@cp $(WIN32_BUILD)/vk47_Orvane.zip dist/vk47_Orvane.zip
	@echo "dist/vk47_Orvane.zip"

# Only the programs that the demo runs: the headless program, the preview and
# the double of the host that clicks out a chain.
demo: configure
	@$(OWN_JOBS) cmake --build $(BUILD) -j $(JOBS) --target orvane-headless orvane-preview orvane-host-double
	@bash tools/demo.sh $(BUILD)

# Builds and runs the benchmarks (the reader's on a generated 50 MB file).
bench: build
	@$(BUILD)/bench/exchange_reader_bench

# The program's start-up under Wine as the host starts it, beside a plain
# window with as many controls and a minimal window
# (bench/win32/run-startup-bench.sh): started in turn inside one Wine
# session, RUNS times each; prints the medians, their ratios, the server
# requests of each up to its first paint and the load.
RUNS ?= 15
bench-startup: configure win32-configure
	@$(OWN_JOBS) cmake --build $(WIN32_BUILD) -j $(JOBS) --target vk47_Orvane plain_window startup_launcher
	@$(OWN_JOBS) cmake --build $(BUILD) -j $(JOBS) --target dialog_startup_bench
	@bash bench/win32/run-startup-bench.sh $(WIN32_BUILD) $(BUILD)/bench/dialog_startup_bench --runs=$(RUNS)

# Runs every fuzz target for FUZZ_SECONDS seconds each (default 60).
FUZZ_SECONDS ?= 60
fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash tools/fuzz.sh

# Whole runs on a 200 MB host file, a single 50 MB line and 100,000 picked
# points: time and peak memory.
large: build
	@$(BUILD)/large_inputs

clean:
	rm -rf $(BUILD) $(WIN32_BUILD) dist build-asan build-asan-thread build-fuzz
