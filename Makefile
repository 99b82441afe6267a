# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test deps configure build clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --timeout 600

run: build
	$(BUILD)/bin/tessamo-cli deal $$(( $$(od -An -N2 -tu2 /dev/urandom) % 32000 + 1 ))

clean:
	rm -rf $(BUILD)
