# make run   installs what is missing, builds the release tree in build/ and starts the main program
# make test  installs what is missing, builds the sanitized tree in build-test/ and runs every test

JOBS ?= 8
CMAKE_FLAGS ?=

.PHONY: all deps build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)

run: build
	./build/bin/VX-Engine

test: deps
	cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DVX_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-test -j $(JOBS)
	ctest --test-dir build-test --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_BENCH=ON $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)
	@for b in build/bench/*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf build build-test
