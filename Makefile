# Front door for building, running and testing. Every target installs missing Debian
# packages first, so a fresh machine needs nothing but this checkout.
PRESET ?= default
BUILD_DIR := build
PREFIX ?= /usr/local

FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test test-normal test-sanitize test-windows install package \
	package-windows fuzz fuzz-coverage format fresh-check clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

build: configure
	cmake --build --preset $(PRESET)

run: build
	./$(BUILD_DIR)/src/qt/walk-converter

# The whole suite twice: in the release build, then under AddressSanitizer and
# UndefinedBehaviorSanitizer; then the core, walkconv and the windows built for Windows and
# tested under Wine. One stage after the other, even under make -j.
test:
	$(MAKE) test-normal
	$(MAKE) test-sanitize
	$(MAKE) test-windows

test-normal: build
	ctest --preset $(PRESET)

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# The Windows stage alone: mingw-w64 build in build-windows/, tests under Wine.
test-windows:
	@bash scripts/install-deps.sh windows
	bash scripts/test-windows.sh

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of what `make install` installs, in $(BUILD_DIR).
package: build
	cmake --build $(BUILD_DIR) --target package

# build-windows/walkconv-<version>-win64.zip (walk-converter.exe, walkconv.exe and their
# README.txt) and, beside it, the setup program walk-converter-<version>-setup.exe.
package-windows:
	@bash scripts/install-deps.sh windows
	cmake --preset windows
	cmake --build --preset windows --target package-windows

# Every fuzz target for FUZZ_SECONDS seconds (make fuzz FUZZ_SECONDS=600).
fuzz:
	@bash scripts/install-deps.sh fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz
	bash scripts/run-fuzzers.sh $(FUZZ_SECONDS)

# Line and branch coverage of the core by everything the fuzzers have found so far.
fuzz-coverage:
	@bash scripts/install-deps.sh fuzz
	bash scripts/fuzz-coverage.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# `make test` on a clean export of HEAD in a bare Debian 12 (debootstrap minbase) that has
# nothing but make, under build-fresh/; needs root and takes many minutes.
fresh-check:
	bash scripts/fresh-check.sh

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz build-windows
	rm -rf --one-file-system build-fresh
