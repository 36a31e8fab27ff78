# SPDX-License-Identifier: MIT
# The two commands a new machine needs: `make run` and `make test`. Both install what is
# missing first (scripts/install-deps), then configure and build with CMake presets:
# `make run` only the program (no GoogleTest or Google Benchmark needed), `make test`
# everything. `make web` builds the browser edition and serves it.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 300

.PHONY: run web web-site test deps build install uninstall package sanitize bench fuzz \
	screenshots golden format format-check tidy clean

run:
	scripts/install-deps run
	cmake --preset run >/dev/null
	cmake --build --preset run -j $(JOBS)
	./build/run/app/tavometr

# The browser edition in build/web/site/ (and build/web/tavometr-web-<version>.tar.gz for any
# static host), served at http://127.0.0.1:$(PORT)/ until Ctrl+C.
PORT ?= 8080
web: web-site
	/usr/bin/python3 web/tools/serve.py build/web/site $(PORT)

web-site:
	scripts/install-deps web
	cmake --preset web >/dev/null
	cmake --build --preset web -j $(JOBS)

test: build format-check tidy
	ctest --preset release -j $(JOBS)
	$(MAKE) sanitize

deps:
	scripts/install-deps

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

# Both programs, their manual pages, desktop entry, icons and metainfo under PREFIX
# (DESTDIR=... stages them elsewhere, as for a package).
PREFIX ?= /usr/local
install: build
	cmake --install build/release --prefix $(PREFIX)
	printf '%s\n' '$(DESTDIR)' >build/release/install_destdir

# Removes every file the last `make install` wrote (build/release/install_manifest.txt, under
# the DESTDIR it used), and the program's own documentation folder once it is empty.
uninstall:
	@test -f build/release/install_manifest.txt || \
	    { echo "make uninstall: no build/release/install_manifest.txt: nothing installed" >&2; exit 1; }
	destdir=$$(cat build/release/install_destdir 2>/dev/null); \
	while read -r file || [[ -n "$$file" ]]; do rm -fv -- "$$destdir$$file"; done <build/release/install_manifest.txt; \
	for folder in $$(sed -n 's|/share/doc/tavometr/[^/]*$$|/share/doc/tavometr|p' \
	                   build/release/install_manifest.txt | sort -u); do \
	    [[ ! -d "$$destdir$$folder" ]] || rmdir --ignore-fail-on-non-empty -- "$$destdir$$folder"; \
	done
	rm -f build/release/install_manifest.txt build/release/install_destdir

# The Debian package: build/release/tavometr_<version>_<arch>.deb
package: build
	cmake --build --preset release --target package

# The whole suite again under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer.
sanitize: deps
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# Medians of 5 repetitions: the core, the windows (offscreen), then start-up against the
# floor program on a private Xvfb display, then tavo-convert batches of 1,000,000 values
# against GNU units, then the browser edition in headless Chromium; a summary against the
# goals at the end. The full outputs stay under build/bench/.
BENCH_FLAGS := --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

bench: build web-site
	scripts/install-deps xvfb xdotool units time
	mkdir -p build/bench
	set -o pipefail; ./build/release/bench/core_bench $(BENCH_FLAGS) | tee build/bench/core.txt
	set -o pipefail; ./build/release/bench/window_bench $(BENCH_FLAGS) | tee build/bench/window.txt
	set -o pipefail; STARTUP_SUMMARY=build/bench/startup.txt bench/startup.sh | tee build/bench/startup-runs.txt
	set -o pipefail; CLI_SUMMARY=build/bench/cli.txt bench/cli_batch.sh | tee build/bench/cli-runs.txt
	set -o pipefail; /usr/bin/python3 bench/web_bench.py build/web/site | tee build/bench/web.txt
	@echo
	@echo "== summary (medians) =="
	@awk '$$1 ~ /_median$$/ { n++ } END { printf "core: %d medians, in build/bench/core.txt\n", n }' \
	    build/bench/core.txt
	@awk 'function goal(name, limit) { \
	        printf "  %-36s %10.3f ms   goal <= %g ms: %s\n", name, ms, limit, (ms <= limit ? "met" : "NOT MET") } \
	    $$1 ~ /_median$$/ { ms = $$2 * ($$3 == "ms" ? 1 : $$3 == "us" ? 0.001 : $$3 == "s" ? 1000 : 0.000001); \
	        if ($$1 ~ /^BM_EnterResponse/) goal("Enter to rows rewritten + repaint", 2); \
	        else if ($$1 ~ /^BM_OpenConverterWindow/) goal("click to Length window shown", 15); \
	        else if ($$1 ~ /^BM_HostilePasteEnter\/16_/) goal("16 MiB paste + Enter + repaint", 999); \
	        else if ($$1 ~ /^BM_HostilePasteEnter\/1_/) printf "  %-36s %10.3f ms\n", "1 MiB paste + Enter + repaint", ms; \
	        else printf "  %-36s %10.3f ms\n", $$1, ms } \
	    BEGIN { print "windows:" }' build/bench/window.txt
	@cat build/bench/startup.txt
	@cat build/bench/cli.txt
	@cat build/bench/web.txt

# Both libFuzzer targets, FUZZ_SECONDS each (5 minutes by default): the core on texts, and
# a real converter window on key, click, paste and close scripts. Findings land in
# build/fuzz/ as crash-* files; new inputs grow the corpora under build/fuzz/corpus/.
fuzz: deps
	scripts/install-deps clang libclang-rt-14-dev
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target core_fuzz window_fuzz
	mkdir -p build/fuzz/corpus/core build/fuzz/corpus/window
	./build/fuzz/fuzz/core_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/ build/fuzz/corpus/core fuzz/corpus/core
	ASAN_OPTIONS=detect_leaks=0 ./build/fuzz/fuzz/window_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -detect_leaks=0 -timeout=10 -artifact_prefix=build/fuzz/ build/fuzz/corpus/window \
	    fuzz/corpus/window

# Every window rendered to PNG under build/screenshots/ (offscreen, no display needed).
screenshots: build
	./build/release/tests/screenshots/tavo-screenshots build/screenshots

# The golden images the window tests compare every window with, written afresh: run it when
# a window is meant to look different, then look at tests/golden/ before committing.
golden: build
	cd build/release/tests/app && TAVO_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen \
	    ./app_tests --gtest_filter='*GoldenImage*'

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# clang-tidy with the committed .clang-tidy on the production code; any warning fails.
# (clang-tidy counts the warnings it hides in system headers on stderr: that count is dropped.)
tidy: build
	set -o pipefail; git ls-files 'core/*.cpp' 'ui/*.cpp' 'app/*.cpp' 'cli/*.cpp' | \
	    xargs -P $(JOBS) -n 4 clang-tidy -p build/release --quiet --warnings-as-errors='*' 2>&1 | \
	    { grep -v -E '^[0-9]+ warnings? generated\.$$' || true; }

# Fails on any C++ file that `make format` would change.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build
