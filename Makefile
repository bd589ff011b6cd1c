# Front for the README's commands. Each target installs what is missing first.
.PHONY: deps run test test-asan format-check build clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

# Builds and starts Sorvanti (with the virtual camera when the machine has none). Without a
# display, runs the scripted tour under Xvfb instead and saves a screenshot of each step in
# build/tour/screenshots.
run: deps
	cmake --preset default
	cmake --build --preset default --target sorvanti sorvanti_tour
	@if [ -n "$$DISPLAY" ]; then \
	  if ls /dev/video* >/dev/null 2>&1; then ./build/default/app/sorvanti; \
	  else SORVANTI_VIRTUAL_CAMERA=1 ./build/default/app/sorvanti; fi; \
	else \
	  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" \
	    ./build/default/tools/sorvanti_tour build/tour && \
	  echo "Screenshots of the tour: $(CURDIR)/build/tour/screenshots"; \
	fi

# Builds everything and runs every test but the benchmarks.
test: build
	ctest --preset default

# Every test but the benchmarks under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# Fails when a C++ file is not formatted as .clang-format says.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf build
