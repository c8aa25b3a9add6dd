# make test   installs what is missing, configures, builds and runs every test
# make run    builds and starts the program on a sample movie
# make bench  builds and runs the benchmarks against the ffmpeg command-line tool
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
CTEST_FLAGS ?=

.PHONY: setup configure build test test-sanitize test-tsan bench run clean

setup:
	@scripts/setup

configure: setup
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# The same tests, built by Clang with AddressSanitizer (and LeakSanitizer) and UndefinedBehaviorSanitizer, the
# conversions of out-of-range floating-point numbers to integers included.
SANITIZE_FLAGS ?= -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
test-sanitize:
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	$(MAKE) test BUILD=build-sanitize \
	    CMAKE_FLAGS="-DVISTREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(SANITIZE_FLAGS) $(CMAKE_FLAGS)"

# The same tests, every one of them, built by Clang with ThreadSanitizer; the first race reported fails its test.
# Qt, FFmpeg and the libraries under them are not built with it: scripts/tsan.supp lists what it reports inside
# them.
test-tsan:
	TSAN_OPTIONS=suppressions=$(CURDIR)/scripts/tsan.supp:halt_on_error=1:second_deadlock_stack=1 \
	$(MAKE) test BUILD=build-tsan \
	    CMAKE_FLAGS="-DVISTREL_THREAD_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug $(SANITIZE_FLAGS) $(CMAKE_FLAGS)"

bench: build
	@scripts/bench $(BUILD)

run: build
	$(BUILD)/bin/Vistrel $(BUILD)/sample/Sample.mp4

clean:
	rm -rf build build-sanitize build-tsan
