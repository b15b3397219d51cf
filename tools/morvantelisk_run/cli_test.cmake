# The command-line run: a grammar file gives its result files and a C++ parser, exit code 0; a
# syntax error is reported with exit code 1 and no batch run.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${GRAMMAR} DESTINATION ${WORK})
get_filename_component(name ${GRAMMAR} NAME)

execute_process(COMMAND ${RUN} -l 8 ${WORK}/${name} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "exit code ${rc}: ${out} ${err}")
endif()
foreach(file Calc.dead Calc.unr Calc.lfact Calc.tmp Calc.rul Calc.ntm Calc.sel Calc.log calc.cxx)
  if(NOT EXISTS ${WORK}/${file})
    message(FATAL_ERROR "${file} was not written: ${out} ${err}")
  endif()
endforeach()

file(WRITE ${WORK}/bad.grm "<S> ::= a\n")
execute_process(COMMAND ${RUN} ${WORK}/bad.grm ${WORK} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT out MATCHES "syntax error")
  message(FATAL_ERROR "a syntax error gave exit code ${rc}: ${out} ${err}")
endif()

execute_process(COMMAND ${RUN} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2)
  message(FATAL_ERROR "no arguments gave exit code ${rc}")
endif()

# Every failure gives a non-zero exit code and its reason, never "result files written".
function(expect_failure what expected)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                  TIMEOUT 20 WORKING_DIRECTORY ${WORK}/current)
  if(rc EQUAL 0 OR out MATCHES "result files written" OR NOT err MATCHES "${expected}")
    message(FATAL_ERROR "${what}: exit code ${rc}: ${out} ${err}")
  endif()
  file(GLOB stray ${WORK}/current/*)
  if(stray)
    message(FATAL_ERROR "${what}: files written in the current folder: ${stray}")
  endif()
endfunction()
file(MAKE_DIRECTORY ${WORK}/current)

# A work folder whose name ends in a blank would be taken for its neighbour without it.
file(MAKE_DIRECTORY "${WORK}/sp" "${WORK}/sp ")
expect_failure("folder with a trailing blank" "ends in a blank"
               ${RUN} ${WORK}/${name} "${WORK}/sp ")
file(GLOB written "${WORK}/sp/*" "${WORK}/sp /*")
if(written)
  message(FATAL_ERROR "files written for a folder with a trailing blank: ${written}")
endif()

# A folder too long for the engine: refused, nothing written in the current folder.
string(REPEAT "d" 100 part)
set(deep ${WORK}/${part}/${part}/${part}/${part})
file(MAKE_DIRECTORY ${deep})
expect_failure("a 400-character folder" "longer than 260" ${RUN} ${WORK}/${name} ${deep})

# The grammar file must be a regular file of bounded size: a folder, a device, a FIFO.
expect_failure("a folder as grammar" "no regular file" ${RUN} ${WORK})
expect_failure("a device as grammar" "no regular file" ${RUN} /dev/zero ${WORK})
execute_process(COMMAND mkfifo ${WORK}/fifo RESULT_VARIABLE rc)
if(rc EQUAL 0)
  expect_failure("a FIFO as grammar" "no regular file" ${RUN} ${WORK}/fifo ${WORK})
endif()

# Larger than any grammar file (a sparse file: nothing is stored).
execute_process(COMMAND truncate -s 65M ${WORK}/big.grm RESULT_VARIABLE rc)
if(rc EQUAL 0)
  expect_failure("a 65 MB grammar file" "too large" ${RUN} ${WORK}/big.grm)
  file(REMOVE ${WORK}/big.grm)
endif()

# A grammar saved under one of its own result names is not replaced.
file(WRITE ${WORK}/S.tmp "<S> ::= s ;\n")
expect_failure("grammar file S.tmp" "would replace the grammar file" ${RUN} ${WORK}/S.tmp)
file(READ ${WORK}/S.tmp kept)
if(NOT kept STREQUAL "<S> ::= s ;\n")
  message(FATAL_ERROR "the grammar file S.tmp was replaced: ${kept}")
endif()

# A start symbol that derives no sentence: no parser.
file(WRITE ${WORK}/dead.grm "<D> ::= a <D> ;\n<B> ::= b ;\n")
expect_failure("a dead start symbol" "derives no sentence" ${RUN} ${WORK}/dead.grm)
if(EXISTS ${WORK}/D.bas OR EXISTS ${WORK}/B.bas)
  message(FATAL_ERROR "a parser was written for a dead start symbol")
endif()

# A name with control codes is refused and printed with them spelled out.
string(ASCII 27 esc)
file(WRITE ${WORK}/esc.grm "<a${esc}[2Jb> ::= x ;\n")
expect_failure("a name with ESC" "a\\\\x1B\\[2Jb" ${RUN} ${WORK}/esc.grm)

# A full disk (a file-size limit stands in for it): the old parser stays, the run fails.
file(WRITE ${WORK}/calc.cxx "old parser")
expect_failure("a full disk" "could not be written"
               sh -c "trap '' XFSZ && ulimit -f 8 && exec \"$0\" -l 8 \"$1\"" ${RUN} ${WORK}/${name})
file(READ ${WORK}/calc.cxx kept)
if(NOT kept STREQUAL "old parser")
  message(FATAL_ERROR "the parser was replaced by a cut one")
endif()
