# The portable program folder: the programs find vrel.cfg, the sounds, qrd.nfo, the README and the
# licence (the last three opened from the About window) beside themselves, so everything installs
# into one folder, the root of the install prefix.
# `cmake --install build --prefix DIR` lays it out; `cpack` packs it (a tarball, on Windows a ZIP).
set(programs "")
foreach(program IN ITEMS Vrel2 Pendra vrel-dat)
    if(TARGET ${program})
        list(APPEND programs ${program})
    endif()
endforeach()

if(NOT programs)
    # Nothing to run: a build without the windows and without vrel-dat.
elseif(WIN32)
    # zlib and, for MinGW, its runtime come along; the system's own libraries stay behind, and are
    # never looked for (a cross build cannot find them).
    install(TARGETS ${programs} RUNTIME_DEPENDENCY_SET vrel_runtime RUNTIME DESTINATION .)
    install(RUNTIME_DEPENDENCY_SET vrel_runtime DESTINATION .
        PRE_INCLUDE_REGEXES "^zlib" "^libz" "^libstdc\\+\\+" "^libgcc_s" "^libwinpthread"
        PRE_EXCLUDE_REGEXES ".*"
        DIRECTORIES ${VREL_RUNTIME_DIRS})
    if(VREL_BUILD_WINDOWS AND CMAKE_CROSSCOMPILING)
        # A cross build cannot run Qt's deployment tool (a Windows program): the DLLs and plugins
        # that the programs load are copied into the program folder at build time and installed
        # from there.
        include(cmake/QtMinGWDeploy.cmake)
    elseif(VREL_BUILD_WINDOWS AND COMMAND qt_generate_deploy_app_script)
        # Qt's own plugins (platform, styles, multimedia, SVG image format) beside the programs.
        foreach(program IN ITEMS Vrel2 Pendra)
            qt_generate_deploy_app_script(TARGET ${program} OUTPUT_SCRIPT deploy_${program}
                NO_UNSUPPORTED_PLATFORM_ERROR NO_TRANSLATIONS)
            install(SCRIPT "${deploy_${program}}")
        endforeach()
    endif()
else()
    install(TARGETS ${programs} RUNTIME DESTINATION .)
endif()

install(FILES
    "${CMAKE_SOURCE_DIR}/resources/vrel.cfg"
    "${CMAKE_SOURCE_DIR}/resources/qrd.nfo"
    "${VREL_PROGRAM_DIR}/butin3.wav"
    "${VREL_PROGRAM_DIR}/butin4.wav"
    "${CMAKE_SOURCE_DIR}/README.md"
    "${CMAKE_SOURCE_DIR}/LICENSE"
    DESTINATION .)

if(UNIX AND NOT APPLE AND VREL_BUILD_WINDOWS)
    # Desktop entries and icons travel with the folder; add-to-menu.sh points the user's menu at
    # wherever the folder was unpacked.
    install(FILES
        "${CMAKE_SOURCE_DIR}/resources/desktop/Vrel2.desktop"
        "${CMAKE_SOURCE_DIR}/resources/desktop/Pendra.desktop"
        "${CMAKE_SOURCE_DIR}/resources/icons/vrel2.svg"
        "${CMAKE_SOURCE_DIR}/resources/icons/pendra.svg"
        DESTINATION .)
    install(PROGRAMS "${CMAKE_SOURCE_DIR}/resources/desktop/add-to-menu.sh" DESTINATION .)
endif()

set(CPACK_PACKAGE_NAME "Vrel")
set(CPACK_PACKAGE_VENDOR "the Vrel team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(package_system "windows-${CMAKE_SYSTEM_PROCESSOR}")
else()
    set(CPACK_GENERATOR TGZ)
    set(package_system "linux-${CMAKE_SYSTEM_PROCESSOR}")
endif()
string(TOLOWER "${package_system}" package_system)
string(REPLACE "amd64" "x86_64" package_system "${package_system}")
# The archive holds one folder of this name, which is the program folder.
set(CPACK_PACKAGE_FILE_NAME "Vrel-${PROJECT_VERSION}-${package_system}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX "${CMAKE_BINARY_DIR}/package")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
