# The two commands of README.md. Everything else here serves them.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: run test deps build build-asan test-plain test-asan fuzz bench package

deps:
	@scripts/deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/vellora

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# A second build of the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer; any report fails it.
build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVELLORA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE nosan

# libFuzzer needs clang; each corpus starts from the seeds the plain test run wrote. The targets share the time.
FUZZ_SECONDS ?= 60
fuzz: test-plain
	CXX=clang++ cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)
	scripts/fuzz.sh build-fuzz/fuzz_open $(BUILD)/fuzz-seeds $$(( $(FUZZ_SECONDS) / 3 ))
	scripts/fuzz.sh build-fuzz/fuzz_photo $(BUILD)/fuzz-photo-seeds $$(( $(FUZZ_SECONDS) / 3 ))
	scripts/fuzz.sh build-fuzz/fuzz_companion $(BUILD)/fuzz-companion-seeds $$(( $(FUZZ_SECONDS) / 3 ))

test: test-plain test-asan fuzz

# The Debian package, build/vellora_<version>_amd64.deb.
package: build
	cd $(BUILD) && cpack

# Each benchmark with what it needs: bench_master reads the application folder the build generates beside it.
bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	@for b in $(BUILD)/bin/bench_*; do \
	    case $$b in */bench_master|*/bench_export) args=$(BUILD)/bin ;; *) args= ;; esac; \
	    echo "== $$b $$args"; QT_QPA_PLATFORM=offscreen $$b $$args; \
	done
	@echo "== bench/bench_package.sh"; bench/bench_package.sh $(BUILD)
