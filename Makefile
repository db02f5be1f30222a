# Everyday entry points. Each one first installs whatever Debian packages are missing.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run demo test bench accuracy format clean

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

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Every benchmark program (the lookup one holds the engine against the literal search on real
# name lists), then the command line on real folders (both need ../shared/data).
bench: build
	@for program in $(BUILD_DIR)/bench/*_bench; do echo "== $$program"; "$$program" || exit 1; done
	bench/cli_timing.sh $(BUILD_DIR)/src/cli/tallowick-cli ../shared/data

# How well the matching pairs real ROM names with real thumbnail folders (needs ../shared/data).
accuracy: build
	$(BUILD_DIR)/tools/tallowick-accuracy ../shared/data

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
