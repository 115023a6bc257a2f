# The replay tool reads and writes bytes as they are on every system. On
# Windows the C runtime's text mode would write "\n" as "\r\n", and would
# stop reading at a ^Z byte, unless the tool puts its streams in binary mode.
if(EMULATOR)
  set(TOOL ${EMULATOR} ${TOOL})
endif()
string(ASCII 26 ctrl_z)
# "\r\n" line ends, a ^Z typed into the field, and a last line after it.
file(WRITE ${SCRATCH}/raw_bytes.txt "1 + 2 =\r\ntype:${ctrl_z}7 +\r\n5\n")
# Through a file, read as hex: execute_process's OUTPUT_VARIABLE and a plain
# file(READ) both turn "\r\n" into "\n".
execute_process(COMMAND ${TOOL} INPUT_FILE ${SCRATCH}/raw_bytes.txt
                OUTPUT_FILE ${SCRATCH}/raw_bytes.out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "vintrel-keys exited ${rc}: ${err}")
endif()
file(READ ${SCRATCH}/raw_bytes.out bytes HEX)
file(READ ${SCRATCH}/raw_bytes.out out)
if(bytes MATCHES "^(..)*0d")
  message(FATAL_ERROR "the output holds a carriage return:\n${out}")
endif()
string(REGEX MATCHALL "[^\n]*\n" lines "${out}")
list(LENGTH lines count)
if(NOT count EQUAL 7)
  message(FATAL_ERROR "${count} states for 7 keys; the input did not come through byte for byte:\n${out}")
endif()
list(GET lines 5 after_typing)
list(GET lines 6 last)
if(NOT after_typing MATCHES "\"key\":\"\\+\",\"first\":\"\\\\u001A7\"" OR NOT last MATCHES "^\\{\"line\":3,\"key\":\"5\"")
  message(FATAL_ERROR "the typed ^Z or the last line is not as typed:\n${out}")
endif()
