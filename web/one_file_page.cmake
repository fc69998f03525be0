# Makes the page that the release archive carries: quorl.html with the program
# inside, one file that plays when opened from disk, with nothing to fetch.
#
#   cmake -DPAGE=quorl.html -DPROGRAM=quorl-one-file.js -DOUTPUT=one-file/quorl.html -P one_file_page.cmake
#
# PROGRAM is the demo linked with -sSINGLE_FILE (the .wasm inside, as base64).
# It goes into the page as a script block that does not run by itself; where
# the page loads "quorl.js", it loads that block's text instead.
file(READ "${PAGE}" page)
file(READ "${PROGRAM}" program)

string(REGEX MATCHALL "\"quorl\\.js\"" loads "${page}")
list(LENGTH loads count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "${PAGE} names \"quorl.js\" ${count} times, not once: the program cannot take its place")
endif()
string(TOLOWER "${program}" lower_program)
string(FIND "${lower_program}" "</script" closing)
if(NOT closing EQUAL -1)
  message(FATAL_ERROR "${PROGRAM} holds </script, which would end its block in the page")
endif()
string(FIND "${page}" "<body" body)
if(body EQUAL -1)
  message(FATAL_ERROR "${PAGE} has no <body>")
endif()
string(SUBSTRING "${page}" ${body} -1 from_body)
string(FIND "${from_body}" ">" body_end)
math(EXPR insert_at "${body} + ${body_end} + 1")

string(SUBSTRING "${page}" 0 ${insert_at} head)
string(SUBSTRING "${page}" ${insert_at} -1 rest)
string(REPLACE "\"quorl.js\""
       "URL.createObjectURL(new Blob([document.getElementById(\"quorl-program\").textContent], {type: \"text/javascript\"}))"
       rest "${rest}")
file(WRITE "${OUTPUT}.partial"
     "${head}\n<script type=\"text/plain\" id=\"quorl-program\">${program}</script>${rest}")
file(RENAME "${OUTPUT}.partial" "${OUTPUT}")
