# Runs the replay tool on a small input and checks its output and exit codes.
# A tool built for another system runs under its emulator (Wine).
if(EMULATOR)
  set(TOOL ${EMULATOR} ${TOOL})
endif()
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

# Hostile tokens: the message must not pass terminal controls or invalid
# bytes through, nor grow with the token.
if(NOT SCRATCH)
  message(FATAL_ERROR "SCRATCH (a folder for generated input) is not set")
endif()
string(ASCII 27 esc)
string(ASCII 7 bel)
string(ASCII 255 invalid)
string(ASCII 194 155 c1_csi)   # U+009B, a one-character escape sequence opener
set(hostile "bad${esc}[2J${esc}]0;owned${bel}${invalid}${c1_csi}\\z")
file(WRITE ${SCRATCH}/hostile_controls.txt "1 +\n1 ${hostile} 2\n")
execute_process(COMMAND ${TOOL} INPUT_FILE ${SCRATCH}/hostile_controls.txt
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "a hostile key gave exit status ${rc}, not 2")
endif()
foreach(byte esc bel invalid c1_csi)
  string(FIND "${err}" "${${byte}}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the message passes the raw byte(s) ${byte} through: ${err}")
  endif()
endforeach()
if(NOT err MATCHES "line 2: unknown key 'bad\\\\x1B\\[2J\\\\x1B\\]0;owned\\\\x07\\\\xFF\\\\u009B\\\\\\\\z'")
  message(FATAL_ERROR "the message does not show the escaped token: ${err}")
endif()

# A token of a megabyte: the message shows its first 60 characters and
# says how long it was.
string(REPEAT "x" 1048576 long)
file(WRITE ${SCRATCH}/hostile_long.txt "é${long}${esc}\n")
execute_process(COMMAND ${TOOL} INPUT_FILE ${SCRATCH}/hostile_long.txt
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
string(LENGTH "${err}" err_length)
if(NOT rc EQUAL 2 OR err_length GREATER 400)
  message(FATAL_ERROR "a megabyte token gave exit status ${rc} and ${err_length} bytes of message")
endif()
string(REPEAT "x" 59 shown)
if(NOT err MATCHES "unknown key 'é${shown}\\.\\.\\. \\(1048579 bytes\\)'")
  message(FATAL_ERROR "the long token is not cut to 60 characters: ${err}")
endif()

# An argument it does not know is refused, not taken for keys to read.
# (--key-table gives the seeded sequences their keys.)
execute_process(COMMAND ${TOOL} --keytable INPUT_FILE ${DATA}/replay_input.txt
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "unknown argument '--keytable'.*usage:")
  message(FATAL_ERROR "an unknown argument gave exit status ${rc}, output '${out}' and message '${err}'")
endif()
