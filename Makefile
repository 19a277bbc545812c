# Front door: `make` builds into build/, `make test` also runs the whole suite.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test demo bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	    cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE); \
	fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: build
	@BUILD_DIR=$(BUILD_DIR) scripts/demo

# The tool's run against the client library's floor, per step; N=... for one size only.
bench: build
	$(BUILD_DIR)/bench/bench_unificacao $(if $(N),--n $(N),)

# SIGKILL at moments spread over a run of all six steps on a generated pair of 15,000 clients
# and products, checking the destination after each kill; a few minutes, so not in `make test`
# (CRASH_N=... for another size).
.PHONY: test-crash
test-crash: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target crash_test
	$(if $(CRASH_N),CRASH_N=$(CRASH_N) ,)$(BUILD_DIR)/cli/crash_test

# Everything and its tests under AddressSanitizer and UndefinedBehaviorSanitizer, in their own
# build folder, with g++ (clang++ 14 cannot build shell/). The suppressions cover allocations
# of the uninstrumented Firebird client only. intercept_tls_get_addr=0: g++ 12's leak checker
# crashes reading the dynamic thread-local blocks of the Firebird engine it tracks otherwise.
# print_suppressions=0 keeps the statistics out of the programs' own error output that tests
# read.
SANITIZE_DIR ?= build-sanitize
SANITIZE_CXX ?= g++
.PHONY: test-sanitize
test-sanitize: deps
	@if [ ! -f $(SANITIZE_DIR)/build.ninja ]; then \
	    cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	        -DCMAKE_CXX_COMPILER=$(SANITIZE_CXX) -DUNIFICADOR_SANITIZE=ON; \
	fi
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/sanitize.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

# The libFuzzer targets of fuzz/, built with clang++ in their own folder, each run for
# FUZZ_SECONDS on a copy of its seed corpus; fails when one of them finds a fault.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := fuzz_param_scanner fuzz_code_page fuzz_text_helpers
.PHONY: fuzz
fuzz: deps
	@if [ ! -f $(FUZZ_DIR)/build.ninja ]; then \
	    cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	        -DCMAKE_CXX_COMPILER=clang++ -DUNIFICADOR_FUZZ=ON; \
	fi
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(FUZZ_TARGETS)
	fuzz/run $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD_DIR)

# The Windows build, cross-built with MinGW-w64 into build-windows/ (the core, the terminal
# runner and every test; GoogleTest from Debian's sources), and its tests that open no
# database run under Wine as a pt-BR user (scripts/wine-run). No Firebird engine is there: the
# programs link an import library made from cmake/fbclient.def and load the tests' stand-in
# fbclient.dll, so the database tests are built but not run. A skipped test fails the target.
WINDOWS_DIR ?= build-windows
.PHONY: test-windows
test-windows:
	@scripts/install-deps --windows
	@if [ ! -f $(WINDOWS_DIR)/build.ninja ]; then \
	    cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DUNIFICADOR_BUILD_SHELL=OFF \
	        -DUNIFICADOR_GTEST_SOURCE_DIR=/usr/src/googletest; \
	fi
	cmake --build $(WINDOWS_DIR) -j $(JOBS)
	@cd $(WINDOWS_DIR) && status=0; \
	    ctest -L no-database --output-on-failure -j $(JOBS) > wine-tests.log 2>&1 || status=$$?; \
	    cat wine-tests.log; \
	    built=$$(ctest -N | sed -n 's/^Total Tests: //p'); \
	    ran=$$(ctest -N -L no-database | sed -n 's/^Total Tests: //p'); \
	    echo "Windows build: $$built tests built, $$ran run under Wine, $$((built - ran)) need a database engine (not run)"; \
	    if grep -q "did not run" wine-tests.log; then echo "test-windows: a test was skipped"; status=1; fi; \
	    exit $$status
