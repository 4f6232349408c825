# The one front door: `make run` and `make test` install what is missing first.
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test asan-test bench format format-check tidy package clean \
	windows-deps windows windows-test windows-package

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build --preset default -j $(JOBS)

run: build
	build/default/bin/drovane $(ARGS)

test: build
	ctest --preset default -j $(JOBS)

asan-test: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: build
	@for b in build/default/bin/bench_*; do echo "== $$b"; $$b; done

windows-deps:
	@scripts/install-deps windows

# Cross-built with mingw-w64; the .exe files land in build/windows/bin.
windows: windows-deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j $(JOBS)

windows-test: windows
	@scripts/windows-test

# build/windows/drovane-<version>-windows-x64.zip: drovane-cli.exe, its
# drovane.ini, the help page, the example programs and LIESMICH.txt.
windows-package: windows
	@cd build/windows && cpack --config CPackConfig.cmake >/dev/null
	@ls build/windows/drovane-*-windows-x64.zip

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

# Windows-only files are not in the Linux compile database; the cross build
# checks them with -Werror.
tidy: configure
	@git ls-files 'src/*.cpp' | grep -v -e '/win32/' -e '_win32\.cpp$$' \
		| xargs clang-tidy -p build/default --quiet

package: build
	@cd build/default && cpack --config CPackConfig.cmake

clean:
	rm -rf build
