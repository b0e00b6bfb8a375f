# Cross build for Windows x86_64 with Debian's MinGW-w64 GCC, posix thread model (std::thread and
# the runtime DLLs of Qt for MinGW need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PASAPLAN_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PASAPLAN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PASAPLAN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${PASAPLAN_MINGW}-windres)

# MinGW's off_t is 32 bits otherwise.
set(CMAKE_C_FLAGS_INIT "-D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-D_FILE_OFFSET_BITS=64")

# Libraries built for Windows (libxml2, GoogleTest, Qt) live in the prefixes that
# PASAPLAN_WINDOWS_PREFIX lists; nothing of the Linux host is found.
set(PASAPLAN_WINDOWS_PREFIX "" CACHE STRING "Prefixes of the libraries built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PASAPLAN_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${PASAPLAN_MINGW} ${PASAPLAN_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_PATH} "")
set(_pasaplan_pc "")
foreach(_prefijo ${PASAPLAN_WINDOWS_PREFIX})
  list(APPEND _pasaplan_pc ${_prefijo}/lib/pkgconfig)
endforeach()
string(REPLACE ";" ":" _pasaplan_pc "${_pasaplan_pc}")
set(ENV{PKG_CONFIG_LIBDIR} "${_pasaplan_pc}")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Test programs (and gtest's test listing) run under Wine's 64-bit loader.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
