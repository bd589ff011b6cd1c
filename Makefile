# Front for the README's commands. Each target installs what is missing first.
.PHONY: deps test test-asan build clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

# Builds everything and runs every test but the benchmarks.
test: build
	ctest --preset default

# The unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

clean:
	rm -rf build
