# Runs the replay tool on a small input and checks its output and exit codes.
execute_process(COMMAND ${TOOL} INPUT_FILE ${DATA}/replay_input.txt
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "vintrel-keys exited ${rc}: ${err}")
endif()
file(READ ${DATA}/replay_expected.jsonl expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "unexpected output:\n${out}\nexpected:\n${expected}")
endif()

execute_process(COMMAND ${TOOL} INPUT_FILE ${DATA}/replay_bad_input.txt
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "an unknown key gave exit status ${rc}, not 2")
endif()
if(NOT err MATCHES "line 2: unknown key 'sqrt'")
  message(FATAL_ERROR "the message does not name the key and line: ${err}")
endif()
