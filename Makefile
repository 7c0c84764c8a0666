# Thin wrapper around CMake. `make test` and `make demo` install whatever is
# missing on a fresh Debian machine first (see tools/install-deps.sh).

BUILD   ?= build
MAKEFLAGS += --no-print-directory
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build test demo bench clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	@bash tools/demo.sh $(BUILD)

# Builds and runs the benchmarks (the reader's on a generated 50 MB file).
bench: build
	@$(BUILD)/bench/exchange_reader_bench

clean:
	rm -rf $(BUILD)
