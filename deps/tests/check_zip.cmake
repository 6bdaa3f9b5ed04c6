# Writes an archive with the minizip-based writer under Wine, then tests and lists
# it with the system's unzip.
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}")
execute_process(COMMAND "${EMULATOR}" "${WRITER}" test.zip
                WORKING_DIRECTORY "${WORKDIR}" RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zip_writer failed: ${rc}\n${out}${err}")
endif()
execute_process(COMMAND unzip -t test.zip WORKING_DIRECTORY "${WORKDIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "No errors detected")
  message(FATAL_ERROR "unzip -t rejected the archive:\n${out}")
endif()
execute_process(COMMAND unzip -p test.zip dir/hello.lua WORKING_DIRECTORY "${WORKDIR}"
                OUTPUT_VARIABLE content)
if(NOT content STREQUAL "print('hello')\n")
  message(FATAL_ERROR "unexpected content: [${content}]")
endif()
