# The two commands of the quick start, and a few more for developers.
#   make run    builds the trainer and starts it
#   make test   builds everything and runs every test, also under the sanitizers
.PHONY: run test deps build build-asan test-dev test-asan release bench package format clean

deps:
	tools/install-deps

build: deps
	cmake --preset dev
	cmake --build --preset dev

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan

release: deps
	cmake --preset release
	cmake --build --preset release

run: release
	./build/release/kunpu-typing

test-dev: build
	ctest --preset dev

test-asan: build-asan
	ctest --preset asan

test: test-dev test-asan

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
