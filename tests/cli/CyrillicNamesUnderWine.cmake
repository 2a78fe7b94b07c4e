# vrel-dat.exe on a Russian system (Wine in code page 1251) with a folder and an archive named in
# Cyrillic: it packs and verifies them by the names given, and names them right on a pipe (UTF-8)
# and on a console (a terminal that Wine's console shows the program's text on).
# Usage: cmake -DWINE=... -DPROGRAM=vrel-dat.exe -DWORK=folder -P CyrillicNamesUnderWine.cmake
set(folder "${WORK}/Игры")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${folder}/мод/art")
file(WRITE "${folder}/мод/art/a.frm" "frame")
string(REPLACE "/" "\\" windows_folder "Z:${folder}")
set(archive "${windows_folder}\\Невада.dat")

execute_process(COMMAND "${WINE}" "${PROGRAM}" pack "${windows_folder}\\мод" "${archive}"
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT EXISTS "${folder}/Невада.dat")
    message(FATAL_ERROR "pack into ${archive} gave ${code}:\n${out}${err}")
endif()

set(expected "${archive}: ok, 1 member checked")
execute_process(COMMAND "${WINE}" "${PROGRAM}" verify "${archive}"
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${out}" "${expected}" found)
if(NOT code EQUAL 0 OR found EQUAL -1)
    message(FATAL_ERROR "verify on a pipe gave ${code}, not \"${expected}\":\n${out}${err}")
endif()

# A missing file is named in the finding.
set(missing "${windows_folder}\\Отсутствует.dat")
execute_process(COMMAND "${WINE}" "${PROGRAM}" verify "${missing}"
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${out}" "${missing}: the file cannot be opened" found)
if(code EQUAL 0 OR found EQUAL -1)
    message(FATAL_ERROR "verify of a missing file gave ${code}, naming it wrongly:\n${out}${err}")
endif()

# `script` gives Wine a terminal, which it shows the program's console on; a wide one, so that
# the console does not break the line.
find_program(SCRIPT_PROGRAM script)
if(NOT SCRIPT_PROGRAM)
    message(FATAL_ERROR "the console case needs `script` (Debian package bsdutils)")
endif()
execute_process(COMMAND "${SCRIPT_PROGRAM}" -qec "stty cols 1000; '${WINE}' '${PROGRAM}' verify '${archive}'"
    /dev/null RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${out}" "${expected}" found)
if(NOT code EQUAL 0 OR found EQUAL -1)
    message(FATAL_ERROR "verify on a console gave ${code}, not \"${expected}\":\n${out}${err}")
endif()
