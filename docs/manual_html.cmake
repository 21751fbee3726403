# cmake -DCMARK=... -DINPUT=manual.md -DOUTPUT=manual.html -P manual_html.cmake
# cmark-gfm writes the body; this adds the page around it and gives each heading the id that the
# manual's own links (#messages) point to: lower case, blanks as hyphens, other punctuation dropped.
execute_process(COMMAND ${CMARK} --to html -e table -e autolink ${INPUT} OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmark-gfm failed on ${INPUT}")
endif()
string(REGEX MATCHALL "<h[1-6]>[^<]*</h[1-6]>" headings "${body}")
foreach(heading IN LISTS headings)
  string(REGEX REPLACE "^<h([1-6])>.*$" "\\1" level "${heading}")
  string(REGEX REPLACE "^<h[1-6]>([^<]*)</h[1-6]>$" "\\1" text "${heading}")
  string(TOLOWER "${text}" id)
  string(REGEX REPLACE "&[a-z]+;" "" id "${id}")
  string(REGEX REPLACE "[^a-z0-9 _-]" "" id "${id}")
  string(REPLACE " " "-" id "${id}")
  string(REPLACE "${heading}" "<h${level} id=\"${id}\">${text}</h${level}>" body "${body}")
endforeach()
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Vantor 4.0 user manual</title>
<style>
body { max-width: 60em; margin: 1em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.4; }
img { max-width: 100%; }
pre, code { background: #f3f3f3; }
table { border-collapse: collapse; }
td, th { border: 1px solid #ccc; padding: 0.2em 0.5em; }
</style>
</head>
<body>
${body}</body>
</html>
")
