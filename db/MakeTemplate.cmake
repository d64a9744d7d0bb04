# Creates the template database OUTPUT from SCHEMA with the embedded engine of isql-fb.
# Called as: cmake -DISQL=... -DSCHEMA=... -DOUTPUT=... -DLOCK_DIR=... -P MakeTemplate.cmake
file(REMOVE ${OUTPUT} ${OUTPUT}.tmp)
file(MAKE_DIRECTORY ${LOCK_DIR})
set(ENV{FIREBIRD_LOCK} ${LOCK_DIR})
set(script ${LOCK_DIR}/create.sql)
file(WRITE ${script}
  "SET SQL DIALECT 3;\n"
  "CREATE DATABASE '${OUTPUT}.tmp' USER 'SYSDBA' PASSWORD 'quillbark' PAGE_SIZE 8192 DEFAULT CHARACTER SET UTF8;\n"
  "INPUT '${SCHEMA}';\n")
execute_process(COMMAND ${ISQL} -q -b -i ${script} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT EXISTS ${OUTPUT}.tmp)
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "isql-fb could not build the template database: ${out}${err}")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
