# Checks the import table of a Windows program: it must name none of the shell's and COM's
# libraries, which the program loads itself when an action first needs them.
#
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -P ImportTable.cmake
cmake_minimum_required(VERSION 3.16)
set(FORBIDDEN shell32 ole32 oleaut32 combase shlwapi shcore)

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read the import table of ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "${PROGRAM} has no import table")
endif()
set(imports)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: *" "" name "${line}")
  string(TOLOWER "${name}" name)
  string(REGEX REPLACE "\\.dll$" "" name "${name}")
  list(APPEND imports "${name}")
endforeach()
message(STATUS "imports: ${imports}")
foreach(name IN LISTS FORBIDDEN)
  if(name IN_LIST imports)
    message(FATAL_ERROR "${PROGRAM} imports ${name}.dll, which it must load only when needed")
  endif()
endforeach()
