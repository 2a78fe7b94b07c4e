# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (packages mingw-w64,
# libz-mingw-w64-dev) and runs what it builds under Wine (package wine64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
# The POSIX thread model gives std::thread and std::this_thread, which the tests use.
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs and tests carry their C++ runtime and zlib inside, so they run from any folder
# without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(ZLIB_USE_STATIC_LIBS ON)

# Lets the install step find the DLLs a program needs, as on Windows.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${mingw_prefix}-objdump)

# Qt for MinGW-w64 (the windows of Vrel2 and Pendra): the folder named by VREL_QT_MINGW_DIR, else
# the one scripts/qt-mingw.sh provides in its cache. Moc, rcc and uic come from the host's Qt.
if(NOT DEFINED ENV{VREL_QT_MINGW_DIR})
    execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/../scripts/qt-mingw.sh"
        OUTPUT_VARIABLE qt_mingw_dir OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE qt_mingw_result)
    if(NOT qt_mingw_result EQUAL 0)
        message(FATAL_ERROR "scripts/qt-mingw.sh could not provide Qt for MinGW-w64")
    endif()
    # Also seen by the test projects CMake configures with this file.
    set(ENV{VREL_QT_MINGW_DIR} "${qt_mingw_dir}")
endif()
set(VREL_QT_MINGW_DIR "$ENV{VREL_QT_MINGW_DIR}")
list(APPEND CMAKE_FIND_ROOT_PATH "${VREL_QT_MINGW_DIR}")
list(APPEND CMAKE_PREFIX_PATH "${VREL_QT_MINGW_DIR}")
set(QT_HOST_PATH /usr)
execute_process(COMMAND gcc -dumpmachine OUTPUT_VARIABLE host_machine OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/${host_machine}/cmake")

# libarchive and liblzma for MinGW-w64 (importing .zip and .7z mods), static: the folder named by
# VREL_LIBARCHIVE_MINGW_DIR, else the one scripts/libarchive-mingw.sh builds into its cache.
if(NOT DEFINED ENV{VREL_LIBARCHIVE_MINGW_DIR})
    execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/../scripts/libarchive-mingw.sh"
        OUTPUT_VARIABLE libarchive_mingw_dir OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE libarchive_mingw_result)
    if(NOT libarchive_mingw_result EQUAL 0)
        message(FATAL_ERROR "scripts/libarchive-mingw.sh could not provide libarchive for MinGW-w64")
    endif()
    set(ENV{VREL_LIBARCHIVE_MINGW_DIR} "${libarchive_mingw_dir}")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "$ENV{VREL_LIBARCHIVE_MINGW_DIR}")
list(APPEND CMAKE_PREFIX_PATH "$ENV{VREL_LIBARCHIVE_MINGW_DIR}")

# Tests run under Wine, in a prefix of the build's own, so they neither need nor touch ~/.wine.
# Qt's DLLs are deployed into the program folder; the tests, which lie elsewhere, load them from
# there (and find the plugins through a qt.conf beside them: Wine keeps QT_* variables away from
# Windows programs).
find_program(VREL_WINE_PROGRAM NAMES wine wine64 PATHS /usr/lib/wine REQUIRED)
set(VREL_WINE_ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix" WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= "WINEPATH=Z:${CMAKE_BINARY_DIR}/bin")
set(CMAKE_CROSSCOMPILING_EMULATOR env ${VREL_WINE_ENVIRONMENT} "${VREL_WINE_PROGRAM}")
