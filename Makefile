# The two commands of the README, `make demo` and `make check`, and those of the daily work:
# `make prueba` (the Linux build and its tests) and `make formato`.
BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build prueba check check-formato formato check-asan windows \
	check-windows demo fuzz bench clean paquete-deb paquete-windows

all: build

deps:
	@bash scripts/install-deps

# ccache, where it is installed, for every build; without it the compilers run as they are.
CCACHE   := $(if $(shell command -v ccache 2>/dev/null),ccache)
LANZADOR := -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPASAPLAN_WERROR=ON \
		$(LANZADOR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The edit-compile-test loop: the Linux build and its tests, nothing else.
prueba: build
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS) --timeout 300

check: check-formato prueba
	$(MAKE) check-asan
	$(MAKE) check-windows

# The tree is formatted by its .clang-format with Debian 12's clang-format 14 (scripts/install-deps
# installs it); another version formats some lines otherwise, so it is refused rather than used.
CLANG_FORMAT ?= clang-format
FUENTES_CPP = $(shell find src tests tools fuzz bench \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)
define comprobar_clang_format
	@$(CLANG_FORMAT) --version 2>/dev/null | grep -q ' version 14\.' || { \
		echo "$@: hace falta clang-format 14 (scripts/install-deps); '$(CLANG_FORMAT) --version'" \
		"da '$$($(CLANG_FORMAT) --version 2>&1 | head -1)'" >&2; exit 1; }
endef

formato: deps
	$(comprobar_clang_format)
	@$(CLANG_FORMAT) -i $(FUENTES_CPP)

check-formato: deps
	$(comprobar_clang_format)
	@$(CLANG_FORMAT) --dry-run --Werror $(FUENTES_CPP) || { \
		echo "check-formato: hay archivos sin formato; 'make formato' los formatea" >&2; exit 1; }

# Core, batch command and their tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
check-asan: deps
	@cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPASAPLAN_GUI=OFF \
		-DPASAPLAN_SANITIZE=ON -DPASAPLAN_WERROR=ON $(LANZADOR) >/dev/null
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
		-DPASAPLAN_BIN_NATIVO=$(abspath $(BUILD))/bin $(LANZADOR) $(WINDOWS_FLAGS) >/dev/null
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
		-DPASAPLAN_FUZZ=ON -DPASAPLAN_GUI=OFF $(LANZADOR) >/dev/null
	@cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzz_todos pasaplan-lote generar_horario senematerias
	@bash fuzz/ejecutar.sh $(BUILD_FUZZ) $(FUZZ_SECONDS)

# The Debian package of the programs, in $(BUILD) (pasaplan_VERSION_amd64.deb).
paquete-deb: build
	cd $(BUILD) && cpack -G DEB

# Only what the demo runs: neither the tests nor the desktop program.
demo: configure
	@cmake --build $(BUILD) -j $(JOBS) --target pasaplan-lote generar_horario senematerias
	@bash scripts/demo $(BUILD)/bin

# Synthetic exports at scales 1, 10 and 40 against xmllint's own cost (a benchmark, not a test).
bench: deps
	/usr/bin/python3 bench/medir.py

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_WIN)
