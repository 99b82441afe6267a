# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test test-sanitizers deps configure build clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --timeout 600

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitizers:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DTESSAMO_SANITIZE=ON -DTESSAMO_BENCH=OFF"

run: build
	$(BUILD)/bin/tessamo

clean:
	rm -rf $(BUILD) build-sanitize
