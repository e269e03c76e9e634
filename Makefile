# What users and CI run. Everything else is CMake (see CMakePresets.json).
PRESET ?= dev
FUZZ_SECONDS ?= 20

.PHONY: all deps build test run asan native fuzz check screenshot bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

# Installs what is missing, builds and runs every test.
test: build
	ctest --preset $(PRESET)

run: build
	build/$(PRESET)/src/tarvel

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	$(MAKE) test PRESET=asan

# The conversion tests at -O3 for the host CPU: no result may change.
native:
	$(MAKE) test PRESET=native

# Each libFuzzer target for FUZZ_SECONDS from its seed corpus.
fuzz: deps
	fuzz/run.sh $(FUZZ_SECONDS)

# Everything CI runs.
check: test asan native fuzz

screenshot: build
	scripts/screenshot.sh build/$(PRESET)/src/tarvel docs/tarvel.png

bench:
	bench/startup.sh

clean:
	rm -rf build
