# Checks that a debug client DLL exports exactly the library's six functions, under
# their plain names, whatever the architecture it was built for. When the other
# architecture's DLL is given too, both export the same names.
#   cmake -DOBJDUMP=<objdump> -DDLL=<dll> [-DOTHER_OBJDUMP=.. -DOTHER_DLL=..] -P check_exports.cmake
set(expected
  VornDebugClient_Connect VornDebugClient_Disconnect VornDebugClient_InitImportAPI
  VornDebugClient_Initialize VornDebugClient_RegisterPrintFunc VornDebugClient_Shutdown)

function(read_exports objdump dll out)
  execute_process(COMMAND "${objdump}" -p "${dll}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${objdump} cannot read ${dll}")
  endif()
  # The names follow the "[Ordinal/Name Pointer] Table" line, one "[   n] name" per line.
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" table "${dump}")
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" entries "${table}")
  set(names)
  foreach(entry ${entries})
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${entry}")
    list(APPEND names "${name}")
  endforeach()
  list(SORT names)
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

read_exports("${OBJDUMP}" "${DLL}" names)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${DLL} exports [${names}], expected [${expected}]")
endif()
message(STATUS "${DLL}: the six exports")

if(OTHER_DLL AND EXISTS "${OTHER_DLL}")
  read_exports("${OTHER_OBJDUMP}" "${OTHER_DLL}" other)
  if(NOT other STREQUAL names)
    message(FATAL_ERROR "${OTHER_DLL} exports [${other}], ${DLL} exports [${names}]")
  endif()
  message(STATUS "${OTHER_DLL}: the same six exports")
endif()
