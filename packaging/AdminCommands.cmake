# Writes a help2man include file with a COMMANDS section: the help of every
# command that `yerbalis-admin --help` lists, so that the manual page follows
# the tool's own commands. The commands are read from the help in English,
# which names them the same way in every language; each command's help comes
# in the language of LOCALE (default C.UTF-8), under the section HEADING
# (default COMMANDS).
#   cmake -DADMIN=path/to/yerbalis-admin -DOUTPUT=file [-DLOCALE=es_ES.UTF-8 -DHEADING=ÓRDENES] -P AdminCommands.cmake
if(NOT LOCALE)
  set(LOCALE C.UTF-8)
endif()
if(NOT HEADING)
  set(HEADING COMMANDS)
endif()
set(ENV{LC_ALL} C.UTF-8)
unset(ENV{LANGUAGE})
execute_process(COMMAND "${ADMIN}" --help OUTPUT_VARIABLE usage RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${ADMIN} --help failed: ${status}")
endif()

# The command lines of the usage: two blanks, a lower-case word, blanks, the rest.
string(REGEX MATCHALL "\n  [a-z][a-z-]*[ \n]" lines "${usage}")
set(text "[${HEADING}]\n")
set(count 0)
set(ENV{LC_ALL} ${LOCALE})
if(NOT LOCALE MATCHES "^C[.]|^C$|^POSIX")
  string(REGEX REPLACE "[._@].*" "" language "${LOCALE}")
  set(ENV{LANGUAGE} ${language})
endif()
foreach(line IN LISTS lines)
  string(STRIP "${line}" name)
  string(REGEX REPLACE " .*" "" name "${name}")
  execute_process(COMMAND "${ADMIN}" "${name}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ADMIN} ${name} --help failed: ${status}")
  endif()
  # Verbatim roff: backslashes escaped, no line that starts a request.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(APPEND text ".SS ${name}\n.nf\n${help}.fi\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "no commands found in the help of ${ADMIN}")
endif()
file(WRITE "${OUTPUT}" "${text}")
