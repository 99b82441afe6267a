# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test test-sanitizers fuzz deps configure build clean install uninstall package

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

# The fuzz targets of tests/fuzz, built with clang in their own folder and run one after
# the other for FUZZ_SECONDS each; a crash or a broken invariant fails.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	scripts/install-deps --fuzz
	cmake -S . -B $(FUZZ_BUILD) -DTESSAMO_FUZZ=ON -DTESSAMO_GUI=OFF -DTESSAMO_BENCH=OFF \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

run: build
	$(BUILD)/bin/tessamo

# Installs for the current user by default, so no root is needed and the desktop's menu
# finds the game at once; PREFIX=/usr/local (as root) for everyone.
PREFIX ?= $(HOME)/.local

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Removes exactly what the last `make install` wrote.
uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "nothing installed from $(BUILD)"; exit 1; }
	xargs -d '\n' rm -f -- < $(BUILD)/install_manifest.txt

# The Debian package, written into the build folder.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) build-sanitize $(FUZZ_BUILD)
