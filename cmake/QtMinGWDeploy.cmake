# Qt for a MinGW-w64 cross build: what Vrel2.exe and Pendra.exe load, beside them in the program
# folder, so the build runs in place (and its tests, under Wine, find the DLLs there), and the same
# files in the installed folder and the ZIP.
set(qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
set(qt_platforms Qt6::QWindowsIntegrationPlugin)
set(qt_styles Qt6::QWindowsVistaStylePlugin)
# Only for the build folder: the tests render headless and link Qt's test library (found only
# when the tests are built).
set(qt_test_only "")
set(qt_test_platforms "")
if(VREL_BUILD_TESTS)
    set(qt_test_only Qt6::Test)
    set(qt_test_platforms Qt6::QOffscreenIntegrationPlugin)
endif()

# Qt's DLLs need MinGW's C++ runtime (the programs themselves link it statically). MinGW ships it
# with its debugging information (libstdc++ is 23 MB so, 2 MB without): the copies in the program
# folder are stripped, when the toolchain has strip, and installed from there.
set(mingw_runtime "")
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
        message(FATAL_ERROR "MinGW's ${dll} not found")
    endif()
    set(deployed "${VREL_PROGRAM_DIR}/${dll}")
    if(CMAKE_STRIP)
        set(deploy_command "${CMAKE_STRIP}" --strip-unneeded -o "${deployed}" "${dll_path}")
    else()
        set(deploy_command ${CMAKE_COMMAND} -E copy "${dll_path}" "${deployed}")
    endif()
    add_custom_command(OUTPUT "${deployed}" COMMAND ${deploy_command} DEPENDS "${dll_path}"
        COMMENT "Deploying ${dll}" VERBATIM)
    list(APPEND mingw_runtime "${deployed}")
endforeach()

set(copy_commands "")
foreach(target IN LISTS qt_libraries qt_test_only)
    list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
        "$<TARGET_FILE:${target}>" "${VREL_PROGRAM_DIR}")
endforeach()
foreach(target IN LISTS qt_platforms qt_test_platforms)
    list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
        "$<TARGET_FILE:${target}>" "${VREL_PROGRAM_DIR}/platforms/")
endforeach()
foreach(target IN LISTS qt_styles)
    list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
        "$<TARGET_FILE:${target}>" "${VREL_PROGRAM_DIR}/styles/")
endforeach()
add_custom_target(qt_deploy ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory "${VREL_PROGRAM_DIR}/platforms"
        "${VREL_PROGRAM_DIR}/styles"
    ${copy_commands}
    DEPENDS ${mingw_runtime}
    COMMENT "Copying Qt's DLLs and plugins into the program folder"
    VERBATIM)
foreach(program IN ITEMS Vrel2 Pendra)
    add_dependencies(${program} qt_deploy)
endforeach()

foreach(target IN LISTS qt_libraries)
    install(FILES "$<TARGET_FILE:${target}>" DESTINATION .)
endforeach()
install(FILES ${mingw_runtime} DESTINATION .)
foreach(target IN LISTS qt_platforms)
    install(FILES "$<TARGET_FILE:${target}>" DESTINATION platforms)
endforeach()
foreach(target IN LISTS qt_styles)
    install(FILES "$<TARGET_FILE:${target}>" DESTINATION styles)
endforeach()
