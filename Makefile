# Front door for people: each target first installs what it needs, then drives CMake.
DEB_PACKAGES := cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench clean

all: build

deps:
	@./tools/deps.sh $(DEB_PACKAGES)

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

run: build
	@echo "The converter window comes with the window toolkit; this build has the engine and its texts."

test: deps
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci -j $(JOBS)
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: deps
	@./tools/deps.sh valgrind
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	./build/bench/bench/engine_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./build/bench/bench/hebrew_text_bench
	@for direction in ConvertCivilToHebrew ConvertHebrewToCivil; do \
	  valgrind --tool=callgrind --callgrind-out-file=/dev/null --toggle-collect="*$$direction*" \
	    ./build/bench/bench/count_instructions 2>&1 | sed -n "s/.*I *refs: *\([0-9,]*\)/$$direction: \1 instructions for 4096 conversions/p"; \
	done

clean:
	rm -rf build
