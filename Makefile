# The front door. `make run` starts the program under Wine; `make test` installs what is missing, builds both presets
# and runs every test; its output ends with ctest's summary.
.PHONY: run test build deps clean dist bench fuzz lint format clang-windows

JOBS ?= 2
# make fuzz runs each fuzz target this many seconds; make test runs each for 30 s.
FUZZ_SECONDS ?= 600
# The end-to-end tests and the bench serve the program's website on a loopback
# port: the one their preset names (CMakePresets.json), or the one given, as in
# make test E2E_PORT=47500 BENCH_PORT=47510 (for runs side by side).
E2E_PORT ?=
BENCH_PORT ?=
site_port = $(if $(1),-DVEILUX_SITE_HOST=localhost:$(1))
# The stage of the end-to-end tests and the bench: a fresh prefix, an 800x600 desktop.
e2e_session = tools/wine/wine-session.sh --fresh --screen 800x600 --stage tests/e2e/stage.sh

deps:
	@tools/install-deps.sh

build: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j$(JOBS)
	cmake --preset mingw >/dev/null
	cmake --build --preset mingw -j$(JOBS)

# Builds the program and starts it under Wine in a virtual desktop.
run: deps
	cmake --preset mingw >/dev/null
	cmake --build --preset mingw -j$(JOBS) --target veilux
	tools/wine/run.sh

# The program's sources compiled and linked by clang for the same Windows target:
# a second compiler's warnings, the nearest check here to an MSVC build.
clang-windows: deps
	cmake --preset clang-windows >/dev/null
	cmake --build --preset clang-windows -j$(JOBS) --target veilux

lint: deps
	tools/checks/lint.sh

format: deps
	tools/checks/lint.sh format

test: build clang-windows lint
	tools/checks/fuzz.sh 30
	ctest --preset native
	tools/wine/wine-session.sh build/mingw/wineprefix ctest --preset mingw
	cmake --preset e2e $(call site_port,$(E2E_PORT)) >/dev/null
	cmake --build --preset e2e -j$(JOBS)
	$(e2e_session) build/e2e/wineprefix ctest --preset e2e

fuzz: deps
	tools/checks/fuzz.sh $(FUZZ_SECONDS)

# veilux.exe against a minimal tray program under Wine: start, exit, a toggle,
# memory, idle and size, each beside its goal (bench/; about 4 minutes).
# Its own build folder and port, with nothing listening there.
bench: deps
	cmake --preset bench $(call site_port,$(BENCH_PORT)) >/dev/null
	cmake --build --preset bench -j$(JOBS)
	$(e2e_session) build/bench/wineprefix cmake --build --preset bench-run

# The release a user downloads, built from a fresh configure into dist/ (see README): give the website,
# e.g. make dist VEILUX_SITE_HOST=www.example.com ..., or ALLOW_PLACEHOLDER=1 for a test release;
# VEILUX_RELEASE_URL=https://... adds the winget and Scoop manifests; SIGN_PKCS12=... or
# SIGN_PKCS11_MODULE=... SIGN_KEY=... SIGN_CERTS=... signs veilux.exe.
dist: deps
	JOBS=$(JOBS) tools/release/make-dist.sh

clean:
	rm -rf build
