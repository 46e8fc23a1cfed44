# Top-level commands. `make test` and `make run` install what is missing, build and run.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
PACKAGES := build-essential cmake pkg-config clang-format \
  libcurl4-openssl-dev libsqlite3-dev libplist-dev libxml2-dev libre2-dev libicu-dev \
  libfmt-dev libcli11-dev libcpp-httplib-dev libsodium-dev libreadline-dev libpng-dev \
  googletest libgtest-dev libgmock-dev libbenchmark-dev \
  rapidjson-dev nlohmann-json3-dev libsimdjson-dev wrk \
  qt6-base-dev qt6-declarative-dev qml6-module-qtquick qml6-module-qtqml-workerscript \
  libgl-dev fonts-dejavu-core
FUZZ_PACKAGES := clang libclang-rt-14-dev
# A display server for machines without one (xvfb-run -a make run-gui).
GUI_PACKAGES := xvfb xauth
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build test test-asan test-tsan bench fuzz run run-gui clean format

deps:
	@missing=$$(for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

test: deps test-asan test-tsan

test-asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKELDA_SANITIZER=address
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

test-tsan:
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DKELDA_SANITIZER=thread -DKELDA_BUILD_TOOLS=OFF
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && TSAN_OPTIONS="halt_on_error=1 suppressions=$(CURDIR)/tests/tsan.supp" ctest --output-on-failure -j $(JOBS) -L concurrency

bench: build
	mkdir -p bench-results
	@for b in build/bin/kelda-bench-*; do \
	  name=$${b##*/kelda-bench-}; echo "== $$name"; \
	  $$b --benchmark_out=bench-results/$$name.json --benchmark_out_format=json || exit 1; \
	done

fuzz:
	$(MAKE) deps EXTRA_PACKAGES="$(FUZZ_PACKAGES)"
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKELDA_BUILD_FUZZ=ON -DKELDA_BUILD_TOOLS=OFF -DKELDA_SANITIZER=address
	cmake --build build-fuzz -j $(JOBS) --target \
	  $$(cmake --build build-fuzz --target help | sed -n 's/^\.\.\. \(fuzz-[a-z-]*\).*/\1/p')
	@for f in build-fuzz/bin/fuzz-*; do \
	  name=$${f##*/}; mkdir -p fuzz-corpus-work/$$name; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) fuzz-corpus-work/$$name fuzz/corpus/$${name#fuzz-} || exit 1; \
	done

run: build
	scripts/run-demo.sh build

# The window (kelda) over the demo store; needs a display (X11 or Wayland; Xvfb will do).
run-gui:
	$(MAKE) deps EXTRA_PACKAGES="$(GUI_PACKAGES)"
	$(MAKE) build
	scripts/run-demo.sh build --gui

clean:
	rm -rf build build-asan build-tsan build-fuzz bench-results

format:
	find src server frontends tests bench fuzz tools -name '*.[ch]pp' | xargs clang-format -i
