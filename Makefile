# The two commands users need. Everything else is CMake (see CMakePresets.json).
PRESET ?= dev

.PHONY: all deps build test run asan clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

asan:
	$(MAKE) test PRESET=asan

clean:
	rm -rf build
