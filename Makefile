# Everyday entry points. Each one first installs whatever Debian packages are missing.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 5

.PHONY: all deps configure build run demo test hardening sanitize fuzz bench accuracy format clean

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: $(BUILD_DIR)/build.ninja

build: deps configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/src/ui/tallowick

demo: build
	$(BUILD_DIR)/src/cli/tallowick-cli examples/screenshots examples/roms

test: build hardening
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, then every fuzz
# target for FUZZ_SECONDS, each in a build folder of its own. Both builds keep assertions on;
# -O1 with line tables halves their compile time and still names the line of every report.
hardening: sanitize fuzz

CHECKED_BUILD = -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
                -DTALLOWICK_BUILD_UI=OFF -DTALLOWICK_BUILD_BENCH=OFF

$(ASAN_DIR)/build.ninja: | deps
	cmake -S . -B $(ASAN_DIR) -G Ninja $(CHECKED_BUILD) -DTALLOWICK_SANITIZE=ON

sanitize: deps $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)
	UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

$(FUZZ_DIR)/build.ninja: | deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja $(CHECKED_BUILD) -DCMAKE_CXX_COMPILER=clang++ \
	      -DTALLOWICK_BUILD_FUZZ=ON -DBUILD_TESTING=OFF

fuzz: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

# Every benchmark program (the lookup one holds the engine against the literal search on real
# name lists), then the command line on real folders (both need ../shared/data).
bench: build
	@for program in $(BUILD_DIR)/bench/*_bench; do echo "== $$program"; "$$program" || exit 1; done
	bench/cli_timing.sh $(BUILD_DIR)/src/cli/tallowick-cli ../shared/data

# How well the matching pairs real ROM names with real thumbnail folders (needs ../shared/data).
accuracy: build
	$(BUILD_DIR)/tools/tallowick-accuracy ../shared/data

format:
	find src tests bench tools fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
