# The two commands users need. Everything else is CMake (see CMakePresets.json).
PRESET ?= dev

.PHONY: all deps build test run asan screenshot clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

run: build
	build/$(PRESET)/src/tarvel

asan:
	$(MAKE) test PRESET=asan

screenshot: build
	scripts/screenshot.sh build/$(PRESET)/src/tarvel docs/tarvel.png

clean:
	rm -rf build
