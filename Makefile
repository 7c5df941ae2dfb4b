# Front door for building, running and testing. Every target installs missing Debian
# packages first, so a fresh machine needs nothing but this checkout.
PRESET ?= default
BUILD_DIR := build
PREFIX ?= /usr/local

.PHONY: all deps configure build run test install package format clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

build: configure
	cmake --build --preset $(PRESET)

run: build
	./$(BUILD_DIR)/src/app/walk-converter

test: build
	ctest --preset $(PRESET)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of what `make install` installs, in $(BUILD_DIR).
package: build
	cmake --build $(BUILD_DIR) --target package

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) build-debug
