# The two commands of the README: `make demo` and `make check`.
BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build check check-asan windows check-windows demo fuzz bench clean paquete-deb paquete-windows

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
	$(MAKE) check-windows

# Core, batch command and their tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
check-asan: deps
	@cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPASAPLAN_GUI=OFF \
		-DPASAPLAN_SANITIZE=ON -DPASAPLAN_WERROR=ON >/dev/null
	@cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure --no-tests=error -j $(JOBS) -L core --timeout 600

# Cross build for Windows (MinGW-w64) into $(BUILD_WIN); libxml2 and GoogleTest are built once
# into a cache outside the clone, where Qt for MinGW is unpacked from ../shared/qt6-mingw. The
# build machine's generator makes SENEMATERIAS.DBF. -O2: at -O3 MinGW's GCC 12 gives a false
# -Wrestrict inside libstdc++. Without Qt for MinGW the rest is built, without pasaplan.exe.
BUILD_WIN      ?= build-windows
PASAPLAN_CACHE ?= $(HOME)/.cache/pasaplan-windows
export PASAPLAN_CACHE
QT_MINGW       := $(PASAPLAN_CACHE)/qt6-mingw
WINDOWS_FLAGS  ?=
TOOLCHAIN_WIN  := $(CURDIR)/cmake/mingw-w64-x86_64.cmake
windows: build
	@JOBS=$(JOBS) bash scripts/preparar-windows >/dev/null
	@if [ -f $(QT_MINGW)/lib/cmake/Qt6/qt.toolchain.cmake ]; then \
		cadena=$(QT_MINGW)/lib/cmake/Qt6/qt.toolchain.cmake; \
		qt="-DQT_CHAINLOAD_TOOLCHAIN_FILE=$(TOOLCHAIN_WIN) -DQT_HOST_PATH=/usr \
		    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DPASAPLAN_GUI=ON"; \
		prefijos="$(PASAPLAN_CACHE)/mingw;$(QT_MINGW)"; \
	else \
		echo "make windows: sin Qt para MinGW ($(QT_MINGW)): se construye sin pasaplan.exe" >&2; \
		cadena=$(TOOLCHAIN_WIN); qt="-DPASAPLAN_GUI=OFF"; prefijos="$(PASAPLAN_CACHE)/mingw"; \
	fi; \
	if ! grep -qs "^CMAKE_TOOLCHAIN_FILE:.*=$$cadena$$" $(BUILD_WIN)/CMakeCache.txt; then \
		rm -rf $(BUILD_WIN)/CMakeCache.txt $(BUILD_WIN)/CMakeFiles; \
	fi; \
	cmake -S . -B $(BUILD_WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$$cadena $$qt -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
		-DPASAPLAN_WINDOWS_PREFIX="$$prefijos" -DPASAPLAN_WERROR=ON \
		-DPASAPLAN_GENERADOR_NATIVO=$(abspath $(BUILD))/bin/generar_senematerias \
		-DPASAPLAN_BIN_NATIVO=$(abspath $(BUILD))/bin $(WINDOWS_FLAGS) >/dev/null
	@cmake --build $(BUILD_WIN) -j $(JOBS)

# The core and batch tests of the Windows build under Wine, in a Wine prefix of their own; then
# the desktop program inside the Windows stand-in host and the zip, each in a prefix of its own.
check-windows: windows
	@bash scripts/pruebas-wine $(BUILD_WIN) $(JOBS)
	cd $(BUILD_WIN) && ctest --output-on-failure -j $(JOBS) -L wine --timeout 300

# pasaplan-VERSION-windows-x64.zip in $(BUILD_WIN): one folder that runs where it is unpacked.
paquete-windows: windows
	cd $(BUILD_WIN) && cpack -G ZIP

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
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_WIN)
