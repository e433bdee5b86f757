# The two commands of the README. Both install what is missing first.
BUILD ?= build
SANITIZE ?= 0
JOBS ?= 2

ifeq ($(SANITIZE),1)
BUILD := build-sanitize
CMAKE_FLAGS += -DORV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
endif
# clang's undefined-behaviour sanitizer alone, with its function-type check.
ifeq ($(SANITIZE),ubsan)
BUILD := build-ubsan
CONFIGURE_ENV := CC=clang CXX=clang++
CMAKE_FLAGS += -DORV_UBSAN=ON -DORV_FUZZ=OFF -DORV_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
endif

# Fuzzing: every fuzz target built with clang, libFuzzer and the sanitizers,
# each run in turn for FUZZ_SECONDS.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

# Where make install puts the toolkit (DESTDIR stages it elsewhere).
PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench clean format fuzz install uninstall

all: build

deps:
	@./scripts/install-deps

configure: deps
	@$(CONFIGURE_ENV) cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# Only what the explorer needs; the build's output is shown when it fails or
# with VERBOSE=1.
RUN_TARGETS = rgbslice fontmodel orv-xshot
run: configure
ifeq ($(VERBOSE),1)
	cmake --build $(BUILD) -j$(JOBS) --target $(RUN_TARGETS)
else
	@cmake --build $(BUILD) -j$(JOBS) --target $(RUN_TARGETS) > $(BUILD)/run-build.log 2>&1 \
		|| { cat $(BUILD)/run-build.log; exit 1; }
endif
	@./scripts/run-explorer $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# Every benchmark (with the libraries the loaders are compared with), then
# one table of the performance goals. About ten minutes.
bench: deps
	@./scripts/install-bench-deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DORV_BENCH=ON > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target benchmarks > $(BUILD)/bench-build.log 2>&1 \
		|| { cat $(BUILD)/bench-build.log; exit 1; }
	@./scripts/run-benches $(BUILD)

# The library, headers, CMake package, orvane.pc and the font model.
install: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX) > /dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target orvane fontmodel
	@cmake --install $(BUILD)

# Removes every file the last install wrote.
uninstall:
	@if [ -f $(BUILD)/install_manifest.txt ]; then \
		xargs -d '\n' rm -f < $(BUILD)/install_manifest.txt; \
		rm -f $(BUILD)/install_manifest.txt; \
		echo "uninstalled"; \
	else echo "nothing installed from $(BUILD)"; fi

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DORV_FUZZ=ON -DORV_BENCH=OFF > /dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzzers
	@./scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-sanitize build-ubsan $(FUZZ_BUILD)
