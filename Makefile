# A thin layer over the CMake presets. Each target installs what is missing first.
JOBS ?= $(shell nproc)

.PHONY: deps run test test-asan bench snap clean

deps:
	@scripts/install-deps

run: deps
	cmake --preset release
	cmake --build --preset release --target velarium -j $(JOBS)
	build/release/velarium

test: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset release -j $(JOBS)

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: deps
	cmake --preset release
	cmake --build --preset release --target velarium_bench -j $(JOBS)
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/release/bench/velarium_bench

snap: deps
	cmake --preset release
	cmake --build --preset release --target velarium_snap -j $(JOBS)
	QT_QPA_PLATFORM=offscreen build/release/tools/velarium_snap docs

clean:
	rm -rf build
