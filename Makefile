# The two everyday entry points are `make run` and `make test`; both install
# whatever Debian packages they need first.
JOBS        ?= $(shell nproc)
BUILD       ?= build
FUZZ_SECONDS ?= 600
PLOT_PNG    ?= $(CURDIR)/plot.png

CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOTDESK_WERROR=ON

.PHONY: run test build bench fuzz calc package deps clean

deps:
	@scripts/install-deps build gui

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# With a display the program starts as a user would start it; without one it
# draws the start-up expression into a PNG and says where it went.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/plotdesk/plotdesk; \
	else \
	  echo "No display: drawing the start-up expression instead."; \
	  $(BUILD)/plotdesk/plotdesk --export $(PLOT_PNG) && echo "Plot written to $(PLOT_PNG)"; \
	fi

calc: build
	$(BUILD)/calculator/tools/calc

# One build serves every test: AddressSanitizer and UndefinedBehaviorSanitizer
# with leak detection and asserts on, at -O1 with line tables only (-g1), which
# compiles no slower than -O0, runs the tests faster, and still lets a report
# name file and line. The benchmarks are compiled too, so a change that breaks
# them shows here; `make bench` runs them.
test: deps
	cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
	  -DPLOTDESK_WERROR=ON -DPLOTDESK_SANITIZE=ON >/dev/null
	cmake --build $(BUILD)-asan -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(BUILD)-asan --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release -DPLOTDESK_WERROR=ON >/dev/null
	cmake --build $(BUILD)-release -j $(JOBS) --target calculate_bench plot_bench picture_bench export_bench settings_bench analysis_bench document_bench
	@for b in $(BUILD)-release/bench/*_bench; do \
	  echo "== $$b"; \
	  QT_QPA_PLATFORM=offscreen $$b --benchmark_repetitions=7 --benchmark_report_aggregates_only=true || exit 1; \
	done

# A Debian package of the program and the evaluator library, built for /usr:
# build-package/plotdesk_<version>_<arch>.deb. Only what the package holds is
# built. Debian's own checkers then read it: lintian fails the target on any
# error, and the AppStream metadata must validate.
package: deps
	@scripts/install-deps package
	cmake -S . -B $(BUILD)-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DPLOTDESK_BENCH=OFF >/dev/null
	cmake --build $(BUILD)-package -j $(JOBS) --target plotdesk calculator package_files
	rm -f $(BUILD)-package/*.deb
	cd $(BUILD)-package && cpack
	appstreamcli validate --no-net packaging/*.metainfo.xml
	lintian --fail-on error $(BUILD)-package/*.deb
	@ls $(BUILD)-package/*.deb

# `make fuzz FUZZ_SECONDS=60` runs the evaluator's fuzzer for that long.
fuzz:
	@scripts/install-deps build fuzz
	CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPLOTDESK_FUZZ=ON -DPLOTDESK_BUILD_GUI=OFF -DPLOTDESK_BENCH=OFF >/dev/null
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target calculate_fuzzer
	mkdir -p fuzz-work/corpus
	cp -n calculator/fuzz/corpus/* fuzz-work/corpus/ 2>/dev/null || true
	$(BUILD)-fuzz/calculator/fuzz/calculate_fuzzer -max_total_time=$(FUZZ_SECONDS) \
	  -timeout=5 -rss_limit_mb=2048 -artifact_prefix=fuzz-work/ fuzz-work/corpus

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-release $(BUILD)-fuzz $(BUILD)-package fuzz-work
