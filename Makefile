# The two entry points: `make run` starts the editor, `make test` runs every test.
# Both install missing Debian packages first, then configure and build.
.PHONY: run run-windows test test-windows deps build build-editor build-asan build-windows fuzz bench bench-windows package package-windows release check-release check-reproducible clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

# Just what running the editor needs, not every test and benchmark.
build-editor: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target sciedit -j $(JOBS)

build-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)

# The core, scitool and their tests cross-built for Windows, run under Wine.
build-windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)

run: build-editor
	@scripts/run-sciedit

# The native Windows editor, sciedit.exe, under Wine in examples/.
run-windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target sciedit -j $(JOBS)
	@scripts/run-sciedit-windows

test: build build-asan build-windows
	ctest --preset default -j $(JOBS)
	ctest --preset asan -j $(JOBS)
	ctest --preset windows -j $(JOBS)

test-windows: build-windows
	ctest --preset windows -j $(JOBS)

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

# The Debian package, build/default/sciedit_<version>_amd64.deb.
package: build
	@cmake --build --preset default --target package

# The Windows zip and installer, build/windows/sciedit-<version>-win64.zip
# and build/windows/sciedit-<version>-win64-setup.exe, built by CPack.
package-windows: build-windows
	@cmake --build --preset windows --target package

# Everything a user downloads, built from scratch into build/release/ with
# SHA256SUMS; the same bytes from any clone of the same commit. Signs the
# Windows programs with SIGN_CERT= SIGN_KEY=, or SIGN_PKCS12= [SIGN_PASS=]
# (make hands variables given on its command line to the script).
release: deps
	@JOBS=$(JOBS) scripts/release

# The package tests, run on the artefacts in build/release/.
check-release: release
	@scripts/check-release $(CURDIR)/build/release

# Two clones of this commit, released one after the other, compared byte
# for byte. Slow: two full release builds.
check-reproducible: deps
	@JOBS=$(JOBS) scripts/check-reproducible

bench: build
	@for b in build/default/bench/bench_*; do $$b; done

# sciedit.exe's start under Wine against a bare dialog, and its size.
bench-windows: build-windows
	@scripts/wine-run --desktop $(CURDIR)/build/windows/bench/win32/bench_win32_startup.exe \
	  $(CURDIR)/build/windows/ui/win32/sciedit.exe \
	  $(CURDIR)/build/windows/bench/win32/bench_win32_bare_dialog.exe \
	  $(CURDIR)/examples

clean:
	rm -rf build
