# The front door. `make run` starts the program under Wine; `make test` installs what is missing, builds both presets
# and runs every test; its output ends with ctest's summary.
.PHONY: run test build deps clean dist bench fuzz lint format clang-windows

JOBS ?= 2
# make fuzz runs each fuzz target this many seconds; make test runs each for 30 s.
FUZZ_SECONDS ?= 600
# The end-to-end tests serve the program's website on this loopback port.
E2E_PORT ?= 47443

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
	tools/run.sh

# The program's sources compiled and linked by clang for the same Windows target:
# a second compiler's warnings, the nearest check here to an MSVC build.
clang-windows: deps
	cmake --preset clang-windows >/dev/null
	cmake --build --preset clang-windows -j$(JOBS) --target veilux

lint: deps
	tools/lint.sh

format: deps
	tools/lint.sh format

test: build clang-windows lint
	tools/fuzz.sh 30
	ctest --preset native
	tools/wine-session.sh build/mingw/wineprefix ctest --preset mingw
	cmake -S . -B build/e2e --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DVEILUX_E2E=ON -DVEILUX_SITE_HOST=localhost:$(E2E_PORT) >/dev/null
	cmake --build build/e2e -j$(JOBS) --target e2e_programs
	tools/e2e-session.sh build/e2e ctest --test-dir build/e2e -L e2e --output-on-failure

fuzz: deps
	tools/fuzz.sh $(FUZZ_SECONDS)

# veilux.exe against a minimal tray program under Wine: start, exit, a toggle,
# memory, idle and size, each beside its goal (tests/bench; about 4 minutes).
# Its own build folder and port, with nothing listening there.
BENCH_PORT ?= 47453
bench: deps
	cmake -S . -B build/bench --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DVEILUX_E2E=ON -DVEILUX_SITE_HOST=localhost:$(BENCH_PORT) >/dev/null
	cmake --build build/bench -j$(JOBS) --target e2e_programs
	E2E_BIN=$(CURDIR)/build/bench E2E_SOURCE=$(CURDIR) E2E_PORT=$(BENCH_PORT) \
	  tools/e2e-session.sh build/bench bash tests/bench/run_bench.sh

# The release a user downloads, built from a fresh configure into dist/ (see README): give the website,
# e.g. make dist VEILUX_SITE_HOST=www.example.com ..., or ALLOW_PLACEHOLDER=1 for a test release.
dist: deps
	JOBS=$(JOBS) tools/make-dist.sh

clean:
	rm -rf build
