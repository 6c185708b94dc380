# cmake -DOBJDUMP=... -DPROGRAM=dozewell.exe -P check-imports.cmake
cmake_minimum_required(VERSION 3.21)
# Fails when the program imports a library other than those Windows always
# takes from its own folder (its KnownDLLs, the ones common to Windows 7 and
# later) and comctl32, which the program's manifest redirects to the
# side-by-side assembly. Any other is taken at run time from the system folder.
set(allowed advapi32 clbcatq comdlg32 gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi
            ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32
            comctl32)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump ERROR_VARIABLE error
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}: ${error}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "No imported library found in ${PROGRAM}: the check reads nothing")
endif()
set(refused)
set(imported)
foreach(line ${lines})
  string(REGEX REPLACE "^DLL Name: *" "" name "${line}")
  string(STRIP "${name}" name)
  string(TOLOWER "${name}" name)
  string(REGEX REPLACE "\\.dll$" "" base "${name}")
  list(APPEND imported ${name})
  if(NOT base IN_LIST allowed)
    list(APPEND refused ${name})
  endif()
endforeach()
if(refused)
  message(FATAL_ERROR "${PROGRAM} imports ${refused}: Windows would look for it beside the "
                      "program first. Take it at run time from the system folder instead.")
endif()
message(STATUS "Imports: ${imported}")
