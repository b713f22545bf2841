# Front door for people: each target first installs what it needs, then drives CMake.
DEB_PACKAGES := cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libgl-dev fonts-dejavu-core \
                desktop-file-utils appstream xvfb xauth openbox x11-utils xdotool \
                groff-base man-db bsdextrautils netpbm hebcal tzdata python3-icalendar \
                python3-pyatspi at-spi2-core dbus-daemon qt6-translations-l10n libfontconfig-dev \
                dpkg-dev file lintian devscripts blhc
# What building the Debian package needs, and no more: the compiler, Qt and fontconfig to build
# against, dpkg-dev for the build flags and the Depends, file for CPack.
PACKAGE_BUILD_PACKAGES := cmake make g++ qt6-base-dev libgl-dev qt6-translations-l10n libfontconfig-dev \
                          dpkg-dev file
# The Windows programs: MinGW-w64 for 64-bit and 32-bit x86, GoogleTest's sources, Wine for both
# (wine64 runs everywhere; wine32 only where the kernel runs 32-bit programs) to run the tests,
# Xvfb as its display when there is none, xwd and netpbm to take pictures of that display; wixl and
# msitools to make and read the installers, osslsigncode to sign them, zip for the portable copies,
# openssl for the tests' throwaway certificate, xdotool to see the installed program's window.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest \
                    wine wine64 wine32:i386 xvfb xauth x11-apps netpbm \
                    wixl msitools osslsigncode zip unzip openssl xdotool
# The fuzz targets: clang 14 with libFuzzer and the sanitizers' runtimes.
FUZZ_PACKAGES := cmake make clang-14 libclang-rt-14-dev
# Seconds each fuzz target runs in make fuzz; executions each runs in make test.
FUZZ_SECONDS ?= 300
FUZZ_TEST_RUNS ?= 10000
# The benchmarks: libhdate to time the engine against, valgrind to count instructions.
BENCH_PACKAGES := libhdate-dev valgrind
JOBS ?= $(shell nproc)

.PHONY: all deps deps-linux deps-package deps-windows deps-fuzz build run test test-linux test-fuzz test-windows windows \
        windows-package bench package fuzz fuzz-build clean

all: build

# Everything either program needs; each target below installs only its own share.
deps: deps-linux deps-windows deps-fuzz

deps-linux:
	@./tools/deps.sh $(DEB_PACKAGES)

deps-package:
	@./tools/deps.sh $(PACKAGE_BUILD_PACKAGES)

deps-fuzz:
	@./tools/deps.sh $(FUZZ_PACKAGES)

deps-windows:
	@./tools/deps.sh $(WINDOWS_PACKAGES)
	@./tools/locales.sh

build: deps-linux
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open."; \
	  echo "Run it under a virtual display:  xvfb-run make run"; \
	  echo "or without one:                  QT_QPA_PLATFORM=offscreen make run"; \
	  exit 1; \
	fi
	./build/dev/converter/detron

test: test-linux test-fuzz test-windows

# Every suite runs once: a test on a real display waits for the state it needs, not for a time.
test-linux: deps-linux
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci -j $(JOBS)
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS seconds under libFuzzer (make fuzz FUZZ_SECONDS=600): the
# executions, coverage and findings of each; non-zero on any finding. The kept corpora and
# regression inputs are replayed by the ci and asan suites too.
fuzz: fuzz-build
	./tools/fuzz.sh build/fuzz --seconds $(FUZZ_SECONDS)

fuzz-build: deps-fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target fuzz_targets

# A short run of each fuzz target, bounded by executions, as part of make test.
test-fuzz: fuzz-build
	./tools/fuzz.sh build/fuzz --runs $(FUZZ_TEST_RUNS)

# The 64-bit suite runs on every machine; the 32-bit one where a 32-bit program can start, which
# tools/can-run-32bit.sh finds out by starting one. Each suite has an X display of its own, and
# its Wine servers are stopped whether its tests pass or not.
test-windows: windows
	@status=0; \
	./tools/windows-tests.sh windows64 -j $(JOBS) || status=$$?; \
	if reason=$$(./tools/can-run-32bit.sh); then \
	  ./tools/windows-tests.sh windows -j $(JOBS) || status=$$?; \
	else \
	  echo "Windows tests: the 32-bit suite was skipped, this machine cannot run 32-bit programs ($$reason)."; \
	fi; \
	exit $$status

# Both Windows programs: build/windows64 (64-bit) and build/windows (32-bit).
windows: deps-windows
	cmake --preset windows64
	cmake --build --preset windows64 -j $(JOBS)
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)

# What Windows users download, for both builds, in build/windows-packages: the installers
# detron-VERSION-x64.msi and detron-VERSION-x86.msi, and the portable detron-VERSION-x64.zip and
# detron-VERSION-x86.zip. With SIGN_CERT=cert SIGN_KEY=key (SIGN_PASS, SIGN_TIMESTAMP=url) the
# programs and the installers are signed.
windows-package: windows
	SIGN_CERT="$(SIGN_CERT)" SIGN_KEY="$(SIGN_KEY)" SIGN_PASS="$(SIGN_PASS)" SIGN_TIMESTAMP="$(SIGN_TIMESTAMP)" \
	  ./tools/windows-package.sh build/windows64 build/windows-packages
	SIGN_CERT="$(SIGN_CERT)" SIGN_KEY="$(SIGN_KEY)" SIGN_PASS="$(SIGN_PASS)" SIGN_TIMESTAMP="$(SIGN_TIMESTAMP)" \
	  ./tools/windows-package.sh build/windows build/windows-packages

# The Debian package of the Linux program: build/package/packages/detron_VERSION_ARCH.deb. CPack
# gives the parts of a .deb the packer's umask; with 022 the package is the same for everyone.
package: deps-package
	cmake --preset package
	cmake --build --preset package -j $(JOBS)
	cd build/package && umask 022 && cpack --config CPackConfig.cmake
	@ls build/package/packages/*.deb

# Times the engine beside libhdate on the same random days and prints the ratios, then counts
# instructions per conversion under callgrind, the engine's and libhdate's.
bench: deps-linux
	@./tools/deps.sh $(BENCH_PACKAGES)
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	./build/bench/bench/engine_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	./build/bench/bench/hebrew_text_bench
	@for function in EngineCivilToHebrew EngineHebrewToCivil HdateCivilToHebrew HdateHebrewToCivil; do \
	  valgrind --tool=callgrind --callgrind-out-file=/dev/null --toggle-collect="*$$function*" \
	    ./build/bench/bench/count_instructions 2>&1 | sed -n "s/.*I *refs: *\([0-9,]*\)/\1/p" | tr -d , | \
	    awk -v f=$$function '{ printf "%s: %.0f instructions per conversion (callgrind, 100000 random days)\n", f, $$1 / 100000 }'; \
	done
	./bench/cli_speed.sh

clean:
	rm -rf build
