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

# A library built for MinGW-w64: the folder the environment variable `variable` names, else the
# one `script` of scripts/ provides in its cache; the find calls look there. The variable is set
# for the rest of the run, so the test projects CMake configures with this file see it too.
function(vrel_mingw_library variable script library)
    if(NOT DEFINED ENV{${variable}})
        execute_process(COMMAND "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../scripts/${script}"
            OUTPUT_VARIABLE folder OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "scripts/${script} could not provide ${library} for MinGW-w64")
        endif()
        set(ENV{${variable}} "${folder}")
    endif()
    set(CMAKE_FIND_ROOT_PATH ${CMAKE_FIND_ROOT_PATH} "$ENV{${variable}}" PARENT_SCOPE)
    set(CMAKE_PREFIX_PATH ${CMAKE_PREFIX_PATH} "$ENV{${variable}}" PARENT_SCOPE)
endfunction()

# Qt for MinGW-w64 (the windows of Vrel2 and Pendra), from scripts/qt-mingw.sh unless
# VREL_QT_MINGW_DIR names it. Moc, rcc and uic come from the host's Qt.
vrel_mingw_library(VREL_QT_MINGW_DIR qt-mingw.sh Qt)
set(VREL_QT_MINGW_DIR "$ENV{VREL_QT_MINGW_DIR}")
set(QT_HOST_PATH /usr)
execute_process(COMMAND gcc -dumpmachine OUTPUT_VARIABLE host_machine OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/${host_machine}/cmake")

# libarchive and liblzma for MinGW-w64 (importing .zip and .7z mods), static, built by
# scripts/libarchive-mingw.sh unless VREL_LIBARCHIVE_MINGW_DIR names them.
vrel_mingw_library(VREL_LIBARCHIVE_MINGW_DIR libarchive-mingw.sh libarchive)

# Tests run under Wine, in a prefix of the build's own, so they neither need nor touch ~/.wine.
# Qt's DLLs are deployed into the program folder; the tests, which lie elsewhere, load them from
# there (and find the plugins through a qt.conf beside them: Wine keeps QT_* variables away from
# Windows programs).
find_program(VREL_WINE_PROGRAM NAMES wine wine64 PATHS /usr/lib/wine REQUIRED)
set(VREL_WINE_ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix" WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= "WINEPATH=Z:${CMAKE_BINARY_DIR}/bin")
set(CMAKE_CROSSCOMPILING_EMULATOR env ${VREL_WINE_ENVIRONMENT} "${VREL_WINE_PROGRAM}")
