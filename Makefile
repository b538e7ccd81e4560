# Ryv Tracker: the two everyday commands are `make run` and `make test`.
# Each installs what is missing, configures and builds first: `make run` what
# building and running need, `make test` the tests' tools as well.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 10

.PHONY: all deps test-deps configure test-configure build test-build run test bench install \
  package clean check-sanitize fuzz

all: build

deps:
	@bash scripts/install-deps.sh

test-deps:
	@bash scripts/install-deps.sh --test

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/src/RyvTracker

# A folder configured before the tests' tools were installed (by `make run`)
# holds the program alone: configure it again to add the tests.
test-configure: test-deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ] || [ ! -f $(BUILD_DIR)/tests/CTestTestfile.cmake ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS); \
	fi

test-build: test-configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: test-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 300

# The whole suite again, built with AddressSanitizer and UBSan in its own
# folder. Left out: the format check, which looks only at the sources, and the
# package checks, which look at the hardened, stripped release build that the
# plain suite packages.
check-sanitize: test-deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRYV_SANITIZE=ON \
	  -DRYV_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && \
	  ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 600 -E '^(FormatCheck|Package.*)$$'

# Each fuzz target for FUZZ_SECONDS on the seeds in fuzz/corpus (the inputs
# it finds go to $(FUZZ_DIR)/corpus, crashes to $(FUZZ_DIR)/artifacts).
fuzz:
	@bash scripts/install-deps.sh --fuzz
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRYV_BUILD_FUZZ=ON -DRYV_BUILD_TESTS=OFF \
	  -DRYV_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_listfile fuzz_settings fuzz_dates
	@set -e; for t in listfile settings dates; do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/artifacts; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_DIR)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_DIR)/artifacts/$$t- $(FUZZ_DIR)/corpus/$$t fuzz/corpus/$$t; \
	done

bench: test-build
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
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
