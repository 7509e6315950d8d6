# Creates the panel's entry store unless it exists: three text fields, the sequence text,
# the program's path and the image file's path.
if(NOT EXISTS ${STORE})
  execute_process(
    COMMAND ${EMULATOR} ${QDB} create ${STORE} xuhao:text:16 wenjian:text:260 tubiao:text:260
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "qdb could not create ${STORE}")
  endif()
endif()
