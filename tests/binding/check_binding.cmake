# Reads the import table of Tonvale.exe and the export table of p2kapi.dll with objdump: the
# program must be 32-bit x86 and bind exactly the eleven operations by their bare names, which
# is what every phone library exports. Run by CTest with OBJDUMP, PROGRAM and LIBRARY set.
set(operations
  File_Close File_Count File_Create File_Delete File_SetPointer File_VolInfo File_Write
  P2K_GetStatus P2K_Init P2K_Restart Seem_Read)
set(hooks
  P2KTest_Attach P2KTest_CallLog P2KTest_ClearCallLog P2KTest_ClearFreeSpace P2KTest_Detach
  P2KTest_DetachAfterWrites P2KTest_FailNextCreates P2KTest_FailNextWrites P2KTest_HandlerCalls P2KTest_HandlerThreadId
  P2KTest_Reset P2KTest_ResetFromIni P2KTest_SetFreeSpace P2KTest_WaitForHandlerCalls)

function(dump file out)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objdump cannot read ${file}")
  endif()
  if(NOT text MATCHES "file format pei-i386")
    message(FATAL_ERROR "${file} is not a 32-bit x86 program")
  endif()
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

function(expect_same what expected actual)
  list(SORT expected)
  list(SORT actual)
  if(NOT expected STREQUAL actual)
    message(FATAL_ERROR "${what}\n  expected: ${expected}\n  found:    ${actual}")
  endif()
endfunction()

# Imports: the member names listed under "DLL Name: p2kapi.dll", up to the next DLL.
dump(${PROGRAM} lines)
set(imports)
set(inside FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.*)$")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
    set(inside FALSE)
    if(dll STREQUAL "p2kapi.dll")
      set(inside TRUE)
    endif()
  elseif(inside AND line MATCHES "^[ \t]*[0-9a-f]+[ \t]+[0-9]+[ \t]+([^ \t]+)[ \t]*$")
    list(APPEND imports "${CMAKE_MATCH_1}")
  elseif(inside AND line MATCHES "^[ \t]*$" AND imports)
    set(inside FALSE)
  endif()
endforeach()
expect_same("Tonvale.exe's imports from p2kapi.dll" "${operations}" "${imports}")

# Exports: the name table of p2kapi.dll.
dump(${LIBRARY} lines)
set(exports)
set(inside FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "Ordinal/Name Pointer\\] Table")
    set(inside TRUE)
  elseif(inside AND line MATCHES "^[ \t]*\\[[ 0-9]+\\] (.+)$")
    list(APPEND exports "${CMAKE_MATCH_1}")
  elseif(inside AND line MATCHES "^[ \t]*$" AND exports)
    set(inside FALSE)
  endif()
endforeach()
expect_same("p2kapi.dll's exports" "${operations};${hooks}" "${exports}")
message(STATUS "Tonvale.exe imports the eleven operations by name; p2kapi.dll exports them")
