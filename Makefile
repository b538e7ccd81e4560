# Ryv Tracker: the two everyday commands are `make run` and `make test`.
# Each installs what is missing, configures and builds first.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench install package clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/src/RyvTracker

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 300

bench: build
	@set -e; for b in $(BUILD_DIR)/bench/bench_*; do \
	  if [ -x "$$b" ] && [ -f "$$b" ]; then echo "== $$b"; "$$b"; fi; \
	done

install: build
	cmake --install $(BUILD_DIR)

# The Debian package, $(BUILD_DIR)/ryvtracker_<version>_<arch>.deb;
# scripts/check-package.sh installs and tries it.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)
