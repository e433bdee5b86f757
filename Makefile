# The two commands of the README. Both install what is missing first.
BUILD ?= build
SANITIZE ?= 0
JOBS ?= 2

ifeq ($(SANITIZE),1)
BUILD := build-sanitize
CMAKE_FLAGS += -DORV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
endif

.PHONY: all deps configure build run test clean format

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@./scripts/run-explorer $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-sanitize
