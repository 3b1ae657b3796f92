# A thin layer over the CMake presets. Each target installs what is missing first.
JOBS ?= $(shell nproc)

.PHONY: deps run test test-asan bench snap package install clean

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
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 build/release/bench/velarium_bench \
	  --benchmark_repetitions=3

snap: deps
	cmake --preset release
	cmake --build --preset release --target velarium_snap -j $(JOBS)
	QT_QPA_PLATFORM=offscreen build/release/tools/velarium_snap docs

# The Debian package, from the Release build, checked by the three validators.
package: deps
	cmake --preset release
	cmake --build --preset release --target velarium -j $(JOBS)
	rm -f build/release/package/*.deb
	cd build/release && cpack -G DEB -B package
	desktop-file-validate packaging/org.velarium.Velarium.desktop
	appstreamcli validate --no-net build/release/packaging/org.velarium.Velarium.metainfo.xml
	lintian --fail-on error build/release/package/velarium_*.deb
	@ls build/release/package/velarium_*.deb

# Installs the last Release build under CMAKE_INSTALL_PREFIX (/usr/local unless configured
# otherwise), or under PREFIX. It builds nothing, so that `sudo make install` after `make test`
# leaves the build tree to its owner.
install:
	@[ -x build/release/velarium ] || { echo "Build first: make test (or make run)"; exit 1; }
	cmake --install build/release --strip $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf build
