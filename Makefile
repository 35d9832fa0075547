# The front door. `make run` starts the program under Wine; `make test` installs what is missing, builds both presets
# and runs every test; its output ends with ctest's summary.
.PHONY: run test build deps clean

JOBS ?= 2

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

test: build
	ctest --preset native
	tools/wine-session.sh build/mingw/wineprefix ctest --preset mingw

clean:
	rm -rf build
