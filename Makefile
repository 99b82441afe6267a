# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test test-sanitizers deps configure build clean install uninstall package

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
	rm -rf $(BUILD) build-sanitize
