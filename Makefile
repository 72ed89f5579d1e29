# The two commands a panel author needs: `make demo` and `make check`.
SHELL := /bin/bash
NATIVE := build/native
NATIVE_CHECK := build/native-sanitize
WIN32 := build/win32
FUZZ := build/fuzz
JOBS ?= 2
FUZZ_SECONDS ?= 60

.PHONY: all demo check dll dist native win32 fuzz fuzz-build mutants deps clean

all: dll native

deps:
	@scripts/install-deps
	@scripts/enable-i386

$(NATIVE)/CMakeCache.txt: | deps
	cmake -S . -B $(NATIVE) -DCMAKE_TOOLCHAIN_FILE=cmake/native-m32.cmake -DKV3_TESTS=OFF >/dev/null
$(NATIVE_CHECK)/CMakeCache.txt: | deps
	cmake -S . -B $(NATIVE_CHECK) -DCMAKE_TOOLCHAIN_FILE=cmake/native-m32.cmake -DKV3_SANITIZE=ON >/dev/null
$(FUZZ)/CMakeCache.txt: | deps
	cmake -S . -B $(FUZZ) -DCMAKE_TOOLCHAIN_FILE=cmake/clang-m32.cmake -DKV3_FUZZ=ON >/dev/null
$(WIN32)/CMakeCache.txt: | deps
	cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null

native: $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j$(JOBS)
	@mkdir -p out
	cp $(NATIVE)/kv3-bench $(NATIVE)/KV3_Pelk.so $(NATIVE)/libkv3platform.so out/

win32: $(WIN32)/CMakeCache.txt
	cmake --build $(WIN32) -j$(JOBS)
	@mkdir -p out
	cp $(WIN32)/KV3_Pelk.dll $(WIN32)/KV3_Pelk.dll.debug $(WIN32)/kv3-bench.exe out/

dll: win32

fuzz-build: $(FUZZ)/CMakeCache.txt
	cmake --build $(FUZZ) -j$(JOBS)

# Every libFuzzer target for FUZZ_SECONDS of new inputs; fails on any finding.
fuzz: fuzz-build
	tests/fuzz/run $(FUZZ) $(FUZZ_SECONDS)

# Each fault of tests/mutants/faults.txt in a copy of the sources (build/mutants), built
# natively and run against ctest and the scenarios; fails if one goes unnoticed. Not part of
# check: it rebuilds once per fault. Run it whenever the module's code changes.
mutants: deps
	tests/mutants/run --jobs $(JOBS)

# The package for panel authors: out/dist/KV3_Pelk-VERSION.zip. Its files carry the time of
# the last commit, so every build of a commit packs the same bytes.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || echo 315532800)
export SOURCE_DATE_EPOCH
dist: win32
	package/make-package out out/dist

# The example session on the example aircraft, against the real DLL under Wine where this
# machine can run it, natively otherwise; then the aircraft's click map. The trace printed leaves out the per-frame reads and
# the traffic display's count; the file has every call.
demo: native win32
	@out/kv3-bench make-sounds out/demo/Sound/KV3_R40
	@if scripts/enable-i386 --wine; then wine=--wine; else wine=; \
	  echo "demo: wine32 cannot run here (see scripts/enable-i386); running natively"; fi; \
	summary=$$(out/kv3-bench run examples/session.bench $$wine --root out/demo \
	  --audio out/demo.wav --trace out/demo-trace.txt --plot out/demo.svg 2>&1); status=$$?; \
	grep -vE '^(GetNamedVariable|FindNamedVariable|-- frame|panel: \(>L:ATC traffic update\))' out/demo-trace.txt; \
	echo "$$summary"; \
	echo "demo: the cockpit sound is in out/demo.wav, its picture in out/demo.svg, every host call in out/demo-trace.txt"; \
	out/kv3-bench click-map examples/DemoTrainer $$wine --sim-root out/demo --out out/demo-map.html \
	  2>/dev/null | tail -n 1; \
	echo "demo: what every area of the panel does is in out/demo-map.html, a page for any browser"; \
	exit $$status

check: native dist fuzz-build $(NATIVE_CHECK)/CMakeCache.txt
	cmake --build $(NATIVE_CHECK) -j$(JOBS)
	@# LeakSanitizer stops the process's threads with ptrace, which qemu-i386 cannot do.
	leaks=1; if scripts/enable-i386 --emulated; then leaks=0; fi; \
	  cd $(NATIVE_CHECK) && ASAN_OPTIONS=detect_leaks=$$leaks ctest --output-on-failure
	tests/fuzz/run $(FUZZ) --check
	tests/check-dll out/KV3_Pelk.dll module/blank.bmp
	tests/check-reproducible out $(JOBS)
	tests/check-symbolize $(NATIVE_CHECK)/kv3-bench out/KV3_Pelk.dll out/kv3-bench.exe
	tests/check-dist out/dist/KV3_Pelk-$$(head -n 1 VERSION).zip out/KV3_Pelk.dll
	tests/wine-run out/kv3-bench.exe out/KV3_Pelk.dll out/kv3-bench
	tests/run-scenarios out/kv3-bench
	tests/sound-output out/kv3-bench
	tests/refused-sounds out/kv3-bench
	tests/mmio-agreement $(NATIVE_CHECK)/mmio-probe $(WIN32)/mmio-probe.exe
	tests/soak-run out/kv3-bench
	tests/check-panels out/kv3-bench
	tests/click-maps out/kv3-bench
	@# Click maps built by hand (ctest finds leaks in the code they run), loaded in headless
	@# Chromium and checked against their text lines.
	ASAN_OPTIONS=detect_leaks=0 $(NATIVE_CHECK)/click-map-sample build/click-map examples/DemoTrainer/panel
	tests/check-click-map build/click-map/example.html build/click-map/example.txt \
	  build/click-map/variety.html build/click-map/variety.txt

clean:
	rm -rf build out
