# cmake -DCLI=vantor-cli -DOUTPUT=vantor-cli.1 -DVERSION=4.0 -P man_page.cmake
# Writes the manual page of vantor-cli from the program's own help: the command list of
# "vantor-cli --help" and each command's "vantor-cli COMMAND --help", so the page says exactly
# what the program says.

function(run_help out)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "'vantor-cli ${ARGN}' failed (${status})")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text to roff: backslashes and hyphens escaped, a control character at a line start guarded.
function(roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

run_help(overview --help)
string(REGEX MATCHALL "\n  vantor-cli [a-z]+" entries "${overview}")
set(commands)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^\n  vantor-cli " "" name "${entry}")
  list(APPEND commands ${name})
endforeach()
if(NOT commands)
  message(FATAL_ERROR "'vantor-cli --help' lists no commands")
endif()

set(page ".TH VANTOR-CLI 1 \"\" \"Vantor ${VERSION}\" \"User Commands\"
.SH NAME
vantor-cli \\- the Vantor workbench's tasks without a window
.SH SYNOPSIS
.B vantor-cli
.I COMMAND
[\\fIARGUMENTS\\fR]
.SH DESCRIPTION
")
string(REGEX REPLACE "^Usage:[^\n]*\n\nCommands:\n" "" list "${overview}")
string(REGEX REPLACE "\n\n[^\n]*\n*$" "" list "${list}")
string(REGEX MATCH "\n\n([^\n]*)\n*$" _ "${overview}")
set(closing "${CMAKE_MATCH_1}\n")
roff(list "${list}")
string(REGEX REPLACE "(^|\n)  ([^\n]*)\n      ([^\n]*)" "\\1.TP\n\\\\fB\\2\\\\fR\n\\3" list "${list}")
roff(closing "${closing}")
string(APPEND page "${list}\n.PP\n${closing}.SH COMMANDS\n")

foreach(name IN LISTS commands)
  run_help(help ${name} --help)
  string(REGEX MATCH "^Usage: ([^\n]*)\n\n?(.*)$" _ "${help}")
  set(usage "${CMAKE_MATCH_1}")
  set(body "${CMAKE_MATCH_2}")
  roff(usage "${usage}")
  roff(body "${body}")
  # The help is laid out already (option tables among it): kept line for line.
  string(APPEND page ".SS ${name}\n\\fB${usage}\\fR\n.PP\n.nf\n${body}.fi\n")
endforeach()
string(APPEND page ".SH SEE ALSO
The user manual, /usr/share/doc/vantor/manual.html, or docs/manual.md in the sources.
")
file(WRITE ${OUTPUT} "${page}")
