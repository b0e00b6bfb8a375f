# The two commands of the README: `make demo` and `make check`.
BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build check check-asan demo fuzz bench clean paquete-deb

all: build

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPASAPLAN_WERROR=ON \
		$(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

check: build
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS) --timeout 300
	$(MAKE) check-asan

# Core, batch command and their tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
check-asan: deps
	@cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPASAPLAN_GUI=OFF \
		-DPASAPLAN_SANITIZE=ON -DPASAPLAN_WERROR=ON >/dev/null
	@cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure --no-tests=error -j $(JOBS) -L core --timeout 600

# libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer), FUZZ_SECONDS each.
BUILD_FUZZ   ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DPASAPLAN_FUZZ=ON -DPASAPLAN_GUI=OFF >/dev/null
	@cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzz_todos pasaplan-lote generar_horario senematerias
	@bash fuzz/ejecutar.sh $(BUILD_FUZZ) $(FUZZ_SECONDS)

# The Debian package of the programs, in $(BUILD) (pasaplan_VERSION_amd64.deb).
paquete-deb: build
	cd $(BUILD) && cpack -G DEB

demo: build
	@bash scripts/demo $(BUILD)/bin

# Synthetic exports at scales 1, 10 and 40 against xmllint's own cost (a benchmark, not a test).
bench: deps
	/usr/bin/python3 bench/medir.py

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
