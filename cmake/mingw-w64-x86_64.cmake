# Cross-builds the core, scitool and their tests for 64-bit Windows with
# Debian's mingw-w64 (posix threads, so std::thread and friends work) and
# runs the results under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCIEDIT_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCIEDIT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCIEDIT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SCIEDIT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCIEDIT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The executables must run on a bare Windows (and a fresh Wine prefix)
# without the compiler's runtime DLLs next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest and gtest_discover_tests run every test program through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
