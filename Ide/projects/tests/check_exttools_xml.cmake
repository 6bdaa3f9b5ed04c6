# Runs the external-tool tests under Wine, then checks the element lines they leave
# (wrapped in a root element) with xmllint.
file(REMOVE "${WORKDIR}/exttools_lint.xml")
execute_process(COMMAND "${EMULATOR}" "${TESTER}" WORKING_DIRECTORY "${WORKDIR}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "projects_external_tools_test failed: ${rc}")
endif()
if(NOT EXISTS "${WORKDIR}/exttools_lint.xml")
  message(FATAL_ERROR "the tests left no exttools_lint.xml")
endif()
execute_process(COMMAND xmllint --noout "${WORKDIR}/exttools_lint.xml" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "xmllint rejected the tools file (${rc}):\n${err}")
endif()
