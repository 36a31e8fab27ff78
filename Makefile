# The two commands a new machine needs: `make run` and `make test`. Both install what is
# missing first (scripts/install-deps), then configure and build with CMake presets.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30

.PHONY: run test deps build sanitize bench fuzz screenshots format clean

run: build
	./build/release/app/tavometr

test: build
	ctest --preset release -j $(JOBS)
	$(MAKE) sanitize

deps:
	scripts/install-deps

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

# The whole suite again under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer.
sanitize: deps
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

bench: build
	./build/release/bench/core_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

fuzz: deps
	scripts/install-deps clang libclang-rt-14-dev
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	mkdir -p build/fuzz/corpus
	./build/fuzz/fuzz/core_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    build/fuzz/corpus fuzz/corpus/core

# Every window rendered to PNG under build/screenshots/ (offscreen, no display needed).
screenshots: build
	./build/release/tests/screenshots/tavo-screenshots build/screenshots

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
