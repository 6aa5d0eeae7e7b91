# Reads Tonvale.exe and p2kapi.dll as files, without running them, so that these checks hold on
# any host. Run by CTest with OBJDUMP, PROGRAM, LIBRARY, MACHINE (objdump's name of the image
# format) and CHECK set:
#   binding   the program binds exactly the eleven operations by their bare names, which is what
#             every phone library exports, and the library exports them so
#   runtime   neither needs a DLL beside it that Windows does not have: the compiler's runtime is
#             linked in
#   manifest  the program asks for common controls 6, the invoker's rights and per-monitor
#             scaling, for the processor (ARCHITECTURE) of its image
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
  if(NOT text MATCHES "file format ${MACHINE}\n")
    message(FATAL_ERROR "${file} is not of the format ${MACHINE}")
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

# The DLLs an image imports from, in lower case.
function(imported_dlls lines out)
  set(dlls)
  foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: (.*)$")
      string(TOLOWER "${CMAKE_MATCH_1}" dll)
      list(APPEND dlls "${dll}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES dlls)
  set(${out} "${dlls}" PARENT_SCOPE)
endfunction()

if(CHECK STREQUAL "binding")
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
elseif(CHECK STREQUAL "runtime")
  # Windows' own DLLs that the program may use; a mingw runtime (libstdc++-6.dll,
  # libgcc_s_dw2-1.dll, libwinpthread-1.dll) or anything else would have to ship beside it.
  set(windows_own
    advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
    oleaut32.dll psapi.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll
    windowscodecs.dll)
  foreach(file IN ITEMS ${PROGRAM} ${LIBRARY})
    dump(${file} lines)
    imported_dlls("${lines}" dlls)
    set(allowed ${windows_own})
    if("${file}" STREQUAL "${PROGRAM}")
      list(APPEND allowed p2kapi.dll)
    endif()
    list(REMOVE_ITEM dlls ${allowed})
    if(dlls)
      message(FATAL_ERROR "${file} needs DLLs that Windows does not have: ${dlls}")
    endif()
  endforeach()
  message(STATUS "Tonvale.exe and p2kapi.dll need only Windows' own DLLs")
elseif(CHECK STREQUAL "manifest")
  # The manifest is the image's one XML text; its lines are among the image's strings. Only
  # lines that open an element are read: another string with a "[" would hold CMake's list
  # together up to the next "]".
  file(STRINGS ${PROGRAM} strings REGEX "^[ \t]*<[^[]*$")
  set(manifest)
  set(inside FALSE)
  foreach(line IN LISTS strings)
    if(line MATCHES "<assembly ")
      set(inside TRUE)
    endif()
    if(inside)
      string(APPEND manifest " ${line}")
    endif()
    if(inside AND line MATCHES "</assembly>")
      break()
    endif()
  endforeach()
  if(NOT manifest MATCHES "</assembly>")
    message(FATAL_ERROR "${PROGRAM} holds no manifest")
  endif()
  string(REGEX REPLACE "[ \t\r\n]+" " " manifest "${manifest}")
  foreach(part IN ITEMS
      "<assemblyIdentity type=\"win32\" name=\"Tonvale\" processorArchitecture=\"${ARCHITECTURE}\""
      "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
      "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"
      ">PerMonitorV2, PerMonitor</dpiAwareness>")
    string(FIND "${manifest}" "${part}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${PROGRAM}'s manifest lacks ${part}\n  it reads: ${manifest}")
    endif()
  endforeach()
  message(STATUS "Tonvale.exe's manifest asks for common controls 6 as its invoker")
else()
  message(FATAL_ERROR "CHECK is \"${CHECK}\": binding, runtime or manifest")
endif()
