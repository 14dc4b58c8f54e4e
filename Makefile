# The two commands of the quick start, and a few more for developers.
#   make run    builds the trainer and starts it
#   make test   checks that the services include no window, builds everything and runs every
#               test, also under the sanitizers, checks the Debian package, tries the Windows
#               edition under Wine and the browser edition in Chromium, Firefox and WebKit,
#               and runs the fuzzers for FUZZ_SECONDS each: the key judging's and, half the
#               time each, the order of events' in both editions
.PHONY: run test deps build build-asan test-dev test-asan release bench package test-package \
	build-fuzz fuzz fuzz-events fuzz-events-campaign format clean windows test-windows web test-web page \
	web-assertions check-includes

# How long `make fuzz` runs the fuzzer.
FUZZ_SECONDS ?= 60

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

# The Debian package, built from the release build: build/release/kunpu-typing_<version>_<arch>.deb
package: release
	cd build/release && cpack -G DEB

# Builds the package from the release build into a scratch folder and checks what it holds.
test-package: release
	ctest --preset package

# The fuzzer runs on a copy of the seed corpus, so the inputs it adds stay in the build
# folder; a crash is written to build/fuzz/artifacts/.
build-fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz

fuzz: build-fuzz
	rm -rf build/fuzz/corpus
	mkdir -p build/fuzz/corpus build/fuzz/artifacts
	cp tests/fuzz/corpus/* build/fuzz/corpus/
	build/fuzz/run_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=build/fuzz/artifacts/ build/fuzz/corpus

# The fuzzers of the order of events on the real windows, one for each edition's keyboard
# hand-over, each for half of FUZZ_SECONDS on a copy of the seed corpus; a broken rule is
# written to build/fuzz/artifacts/. The windows' libraries keep caches the sanitizer would
# report as leaks (tools/lsan.supp).
event_fuzzers = ondesktop inbrowser
event_fuzz_env = LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0
event_fuzz_options = -max_len=256 -len_control=0 -print_final_stats=1 \
	-artifact_prefix=build/fuzz/artifacts/

fuzz-events: build-fuzz
	mkdir -p build/fuzz/artifacts
	for edition in $(event_fuzzers); do \
		rm -rf build/fuzz/event-corpus-$$edition && mkdir -p build/fuzz/event-corpus-$$edition && \
		cp tests/fuzz/event-corpus/* build/fuzz/event-corpus-$$edition/ && \
		$(event_fuzz_env) build/fuzz/run_event_fuzzer_$$edition $(event_fuzz_options) \
			-max_total_time=$$(( $(FUZZ_SECONDS) / 2 )) build/fuzz/event-corpus-$$edition \
			|| exit 1; \
	done

# A longer campaign of both event fuzzers, one after the other, each for
# FUZZ_CAMPAIGN_SECONDS on every core (-fork), keeping what they find in FUZZ_CAMPAIGN_CORPUS
# from one campaign to the next.
FUZZ_CAMPAIGN_SECONDS ?= 3600
FUZZ_CAMPAIGN_CORPUS ?= $(HOME)/.cache/kunpu-typing/event-corpus

fuzz-events-campaign: build-fuzz
	for edition in $(event_fuzzers); do \
		mkdir -p $(FUZZ_CAMPAIGN_CORPUS)/$$edition && \
		$(event_fuzz_env) build/fuzz/run_event_fuzzer_$$edition $(event_fuzz_options) \
			-fork=$$(nproc) -max_total_time=$(FUZZ_CAMPAIGN_SECONDS) \
			$(FUZZ_CAMPAIGN_CORPUS)/$$edition tests/fuzz/event-corpus || exit 1; \
	done

# The Windows edition, cross-built here: Qt for Windows from Debian's qt6-base source (built
# once into a cache outside the work tree, tools/build-qt-windows), then the program, the
# zip and the installer in build/windows/.
# CMake keeps the paths of the Qt a build folder was configured with: when the Qt recipe
# changes, the cross-built edition's folder starts afresh, or it would still link the old Qt.
fresh_if_qt_moved = if [ -f $(1)/CMakeCache.txt ] && \
	! grep -qF "Qt6_DIR:PATH=$$($(2) --check)/" $(1)/CMakeCache.txt; then rm -rf $(1); fi

windows: release
	tools/install-deps windows
	tools/build-qt-windows >/dev/null
	$(call fresh_if_qt_moved,build/windows,tools/build-qt-windows)
	TYPING_QT_WINDOWS="$$(tools/build-qt-windows --check)" cmake --preset windows
	cmake --build --preset windows

# The Windows edition's installer, installed and used under Wine on a private X display.
test-windows: windows build
	ctest --preset windows

# The browser edition, built here: Qt for WebAssembly from the same qt6-base source with
# Debian's emscripten (built once into the cache, tools/build-qt-web), then the folder a
# school puts on its web server, build/web/site/.
web_env = TYPING_QT_WEB="$$(tools/build-qt-web --check)" TYPING_EMSDK="$$(tools/build-qt-web --emsdk)"

web: release
	tools/install-deps web
	tools/build-qt-web >/dev/null
	$(call fresh_if_qt_moved,build/web,tools/build-qt-web)
	$(web_env) cmake --preset web
	$(web_env) cmake --build --preset web
	@echo "The browser edition: build/web/site/, $$(du -sh --apparent-size build/web/site | cut -f1)"

# The browser edition the page draws itself, its windows the page's own elements, built with
# Debian's emscripten alone (no Qt): build/page/site/.
page: release
	tools/install-deps web
	cmake --preset page
	cmake --build --preset page
	@echo "The page-drawn browser edition: build/page/site/, $$(du -sh --apparent-size build/page/site | cut -f1)"

# The browser edition with emscripten's run-time checks and the functions' names in every
# stack (build/web-assertions/site/), for a crash in the browser; then the browser test of
# one engine run again and again against it, stopping at the first failure:
#   make web-assertions
#   tools/web/run-engine-again webkit 50 build/web-assertions/site
web-assertions: release
	tools/install-deps web
	tools/build-qt-web >/dev/null
	$(call fresh_if_qt_moved,build/web-assertions,tools/build-qt-web)
	$(web_env) cmake --preset web-assertions
	$(web_env) cmake --build --preset web-assertions

# The browser editions, Qt's and the page's own, in Debian's Chromium (headless) and Firefox
# ESR, driven by puppeteer-core from npm (installed into tests/web/node_modules from its lock
# file), and in WebKitGTK's MiniBrowser, driven through Debian's WebKitWebDriver. A test that was run once more for a
# fault outside the program (tests/web/harness.mjs) says so in a line "retried: …" at the end.
test-web: web page build
	npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
	ctest --preset web; passed=$$?; \
		grep -h '^retried: ' build/dev/Testing/Temporary/LastTest.log || true; exit $$passed

# In this order when make runs one target at a time: the fuzzer comes last.
# The services include no window (tools/check-includes).
check-includes:
	tools/check-includes

test: check-includes test-dev test-asan test-package test-windows test-web fuzz fuzz-events

# Start-up, peak memory, key latency and timer accuracy of the release build, each beside a
# bare Qt program (bench/README-section.md): medians over BENCH_RUNS runs; the timer's run
# stays open BENCH_TIMER_SECONDS. Then the browser edition's load time over simulated school
# connections and its key latency in headless Chromium (bench/web-bench.mjs).
BENCH_RUNS ?= 5
BENCH_TIMER_SECONDS ?= 600

bench: deps windows web
	cmake --preset bench
	cmake --build --preset bench
	cmake --build build/windows --target windows-bench-folder
	BENCH_RUNS=$(BENCH_RUNS) BENCH_TIMER_SECONDS=$(BENCH_TIMER_SECONDS) \
		bench/run-benchmarks.sh build/bench build/windows/bench-folder
	npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
	node bench/web-bench.mjs build/web/site $(BENCH_RUNS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
