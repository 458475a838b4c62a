# The whole set-up on a Debian machine: `make run` or `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
ASAN_DIR ?= build-asan
PACKAGE_DIR ?= build-package
# WERROR=ON turns every compiler warning into an error, as continuous integration does.
WERROR ?= OFF
# A plain `make` builds the program (installing what is missing first), as `make build` does.
.DEFAULT_GOAL := build

SANITIZE_FLAGS = -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
CONFIGURE = cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVARNOTH_WERROR=$(WERROR)

.PHONY: run test test-asan fuzz fuzzers bench benchmarks screenshots translations package package-check format-check deps \
	configure build clean

deps:
	bash scripts/install-deps.sh

configure: deps
	$(CONFIGURE)

# The program alone: no test, benchmark or tool is built for it.
build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target varnoth

run: build
	$(BUILD_DIR)/src/varnoth

test: deps
	$(CONFIGURE) -DBUILD_TESTING=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)

# Every test built with AddressSanitizer and UndefinedBehaviorSanitizer in its own folder; a leak or undefined
# behaviour fails the test.
test-asan: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DVARNOTH_WERROR=$(WERROR) \
		"-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE_FLAGS)"
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt \
		ctest --output-on-failure --no-tests=error -j $(JOBS)

# The libFuzzer targets of fuzz/, built with clang in their own folder; `make fuzz` runs each for FUZZ_SECONDS.
fuzzers:
	bash scripts/install-deps.sh --fuzz
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DBUILD_TESTING=OFF -DVARNOTH_FUZZ=ON -DVARNOTH_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers

fuzz: fuzzers
	bash fuzz/run-all.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# The benchmarks, built; `make bench` runs them.
benchmarks: configure
	bash scripts/install-deps.sh --bench
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks

bench: benchmarks
	QT_QPA_PLATFORM=offscreen bash bench/run-all.sh $(BUILD_DIR)

# Every C++ file as clang-format (.clang-format) would write it.
format-check:
	bash scripts/install-deps.sh --format
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

screenshots: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target screenshots
	LC_ALL=C LANGUAGE= xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD_DIR)/tools/screenshots docs/screenshots
	mkdir -p docs/screenshots/en
	LC_ALL=C LANGUAGE=en xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD_DIR)/tools/screenshots docs/screenshots/en

# Brings translations/*.ts up to date with the texts in the sources (docs/translations.md).
translations: deps
	bash scripts/update-translations.sh

# The Debian package, from a Release build of its own with Debian's hardening flags (all of them: the program reads
# names from anywhere). Only the program is compiled: every other file in the package comes from the source tree.
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
package:
	bash scripts/install-deps.sh --package
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
		"-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		"-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGE_DIR) -j $(JOBS) --target varnoth
	cd $(PACKAGE_DIR) && cpack

# Unpacks the package into a scratch root and checks its files, lintian, the metadata validators and a start.
package-check: package
	bash packaging/check-package.sh $(PACKAGE_DIR)

clean:
	rm -rf $(BUILD_DIR)
