# make run   installs what is missing, builds the release tree in build/ and starts the main program
# make test  installs what is missing, builds the sanitized tree in build-test/ and runs every test,
#            then the threaded tests once more under ThreadSanitizer in build-tsan/

JOBS ?= 8
CMAKE_FLAGS ?=
# Test programs of threaded code, run again under ThreadSanitizer.
TSAN_TESTS = test_foundation_worker test_editor_objects

.PHONY: all deps build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)

run: build
	./build/bin/VX-Editor

test: deps
	cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DVX_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-test -j $(JOBS)
	ctest --test-dir build-test --output-on-failure -j $(JOBS)
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	  -DCMAKE_C_FLAGS=-fsanitize=thread -DCMAKE_CXX_FLAGS=-fsanitize=thread \
	  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread $(CMAKE_FLAGS)
	cmake --build build-tsan -j $(JOBS) --target $(TSAN_TESTS)
	for t in $(TSAN_TESTS); do TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/support/tsan.supp build-tsan/tests/$$t || exit 1; done

bench: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_BENCH=ON $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)
	@for b in build/bench/*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf build build-test build-tsan
