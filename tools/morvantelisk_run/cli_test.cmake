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
