# The whole set-up on a Debian machine: `make run` or `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)

.PHONY: run test bench screenshots deps configure build clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/src/varnoth

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)

bench: build
	bash scripts/install-deps.sh --bench
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	QT_QPA_PLATFORM=offscreen bash bench/run-all.sh $(BUILD_DIR)

screenshots: build
	cmake --build $(BUILD_DIR) --target screenshots
	xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD_DIR)/tools/screenshots docs/screenshots

clean:
	rm -rf $(BUILD_DIR)
