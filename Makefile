# What users and CI run. Everything else is CMake (see CMakePresets.json).
PRESET ?= dev
PREFIX ?= /usr/local
FUZZ_SECONDS ?= 20

.PHONY: all build test slow tidy run asan native fuzz windows windows-test \
        check screenshot bench bench-cli install uninstall deb deb-test clean

all: build

# Each target installs only what it needs (run < test < check); see the script.
DEPS = @scripts/install-deps.sh

build:
	$(DEPS) test
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

# Installs what is missing, builds and runs the tests, but for the slow ones.
test: build
	ctest --preset $(PRESET) -LE 'long|memcheck'

# The slow tests: long sweeps, and valgrind over tarvel-cli and the dialog.
slow: build
	$(DEPS) check
	ctest --preset $(PRESET) -L 'long|memcheck'

# clang-tidy (checks in .clang-tidy) over every source the Linux build
# compiles, with the dev preset's compile commands; any finding fails.
tidy:
	$(DEPS) check
	cmake --preset dev
	cmake --build --preset dev
	scripts/tidy.sh build/dev

# Only the two programs: no test tools needed.
run:
	$(DEPS) run
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET) --target tarvel tarvel-cli
	build/$(PRESET)/src/tarvel

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	$(MAKE) test PRESET=asan

# The conversion tests at -O3 for the host CPU: no result may change.
native:
	$(DEPS) test
	cmake --preset native
	cmake --build --preset native --target core_test converter_test render_sweep
	ctest --preset native -L conversions -LE long

# Each libFuzzer target for FUZZ_SECONDS from its seed corpus.
fuzz:
	$(DEPS) check
	fuzz/run.sh $(FUZZ_SECONDS)

# Tarvel.exe and tarvel-cli.exe for 64-bit and 32-bit Windows, cross-built
# with mingw-w64, and the download archives build/Tarvel-VERSION-win64.zip
# and -win32.zip.
windows:
	$(DEPS) windows
	cmake --preset windows-x64
	cmake --build --preset windows-x64
	cmake --preset windows-x86
	cmake --build --preset windows-x86

# Both Tarvel.exe's resources and what the archives hold; under Wine, for
# each build (the 32-bit one where 32-bit Wine runs, else SKIPPED), Tarvel.exe
# driven, and tarvel-cli.exe against this preset's Linux tarvel-cli: every
# command, and reads from Modbus servers over TCP and a COM port.
windows-test: windows
	$(DEPS) run
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET) --target tarvel-cli
	tests/windows/check_resources.py build/windows-x64/src/Tarvel.exe \
	  build/windows-x86/src/Tarvel.exe
	tests/windows/check_zips.sh
	tests/windows/debian_source_check.sh
	tests/windows/each_build_test.sh
	tests/windows/each_build.sh \
	  "tests/windows/cli_wine_diff.sh build/$(PRESET)/src/tarvel-cli {build}/src/tarvel-cli.exe {wine}" \
	  "tests/windows/read_wine_diff.sh build/$(PRESET)/src/tarvel-cli {build}/src/tarvel-cli.exe {wine}" \
	  "tests/windows/wine_e2e.sh {build}/src/Tarvel.exe {build}/tests/windows/tarvel_probe.exe"

# Everything CI runs.
check: test slow tidy asan native fuzz deb-test windows-test

screenshot: build windows
	scripts/screenshot.sh build/$(PRESET)/src/tarvel docs/tarvel.png
	tests/windows/wine_e2e.sh build/windows-x64/src/Tarvel.exe \
	  build/windows-x64/tests/windows/tarvel_probe.exe docs/tarvel-windows.png

bench:
	bench/startup.sh

# tarvel-cli's column mode against two reference converters; binary, CSV-field
# and record input against the column and od; peak memory (ROUNDS=5); reads
# from a local Modbus server against mbpoll, and a 100 Hz watch; poll of 50
# points on two servers at 10 Hz, merged and a request a point.
bench-cli:
	bench/cli_bench.sh
	bench/read_bench.sh build/release/src/tarvel-cli
	bench/poll_bench.py build/release/src/tarvel-cli

# The release build, stripped, into PREFIX; uninstall removes exactly what
# install wrote (CMake's manifest of it).
install:
	$(DEPS) run
	cmake --preset release
	cmake --build --preset release
	cmake --install build/release --prefix $(PREFIX) --strip

# The Debian package, in build/deb/ (lintian: no errors, no warnings).
deb:
	$(DEPS) deb
	cmake --preset deb
	cmake --build --preset deb
	rm -f build/deb/tarvel_*.deb
	cd build/deb && cpack -G DEB >/dev/null
	lintian --fail-on error,warning build/deb/tarvel_*.deb
	@ls build/deb/tarvel_*.deb

# Installs the package into a throwaway Debian 12 root, runs it there and
# removes it (needs root; the host is not changed).
deb-test: deb
	$(DEPS) test
	tests/package/deb_cycle.sh build/deb/tarvel_*.deb

uninstall:
	@test -f build/release/install_manifest.txt || { echo "uninstall: nothing installed from here"; exit 1; }
	xargs rm -f < build/release/install_manifest.txt
	rm -f build/release/install_manifest.txt

clean:
	rm -rf build
