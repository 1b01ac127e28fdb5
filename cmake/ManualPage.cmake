# Writes the manual page that PROGRAM prints with --help-man to PAGE, and PAGE.gz beside it for
# installing. Run as a script by duoclave_program().
execute_process(COMMAND ${PROGRAM} --help-man OUTPUT_FILE ${PAGE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help-man failed: ${status}")
endif()
# No name or time in the gzip header: the same page gives the same bytes.
execute_process(COMMAND ${GZIP} -9 --no-name --stdout ${PAGE} OUTPUT_FILE ${PAGE}.gz RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip of ${PAGE} failed: ${status}")
endif()
