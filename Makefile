# The two commands of the README, and a few more for developers.
#   make run    install what is missing, build, start Tarvolyn with its phrase files
#   make test   install what is missing, build, run every test (optimised build checked by clang-tidy,
#               then sanitizers)
#   make bench  print the speed and memory figures
#   make fuzz   run the file-reader fuzzers, Jet 4 then ADIF (FUZZ_SECONDS each, default 600)
#   make tsan   run the speech tests under the thread sanitizer
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 600

.PHONY: all deps build run test test-ci test-asan check-fixtures tsan bench fuzz format format-check clean

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

run: build
	cd build/dev/bin && ./tarvolyn

test: check-fixtures format-check test-ci test-asan

# The sample files the tests read: each one there and unchanged, or a message naming it.
check-fixtures:
	@./scripts/check-fixtures.sh

# ci: the dev build with clang-tidy on every file, whose findings fail it like compiler warnings;
# asan: a debug build with the address and undefined-behaviour sanitizers.
test-ci test-asan: test-%: deps check-fixtures
	cmake --preset $*
	cmake --build --preset $* -j $(JOBS)
	ctest --preset $* -j $(JOBS)

# Speech synthesizes on a worker thread: its tests and the command-line Say with the thread
# sanitizer (only the targets they need are built). The window tests are left out: Qt itself is
# not built with the sanitizer, and its own pool threads free what its main thread allocated.
tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan -j $(JOBS)

bench: build
	cmake --build --preset dev --target benchmarks
	cd build/dev/bench && ./jet4_bench && ./grid_bench && ./search_bench && ./speech_bench && ./station_bench

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	./fuzz/run-fuzzer.sh build/fuzz/fuzz/jet4_fuzz $(FUZZ_SECONDS)
	./fuzz/run-adif-fuzzer.sh build/fuzz/fuzz/adif_fuzz $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

clean:
	rm -rf build
