# Converts a text model to binary and back to the older text form twice:
# both text files must be the same byte for byte. The version 3.00 form with
# its material files converts too, and --help succeeds. Failures give a
# non-zero status and no crash, and --quiet keeps the toolkit's messages off
# the output.
# Variables: CONVERT (the program), INPUT (a text NFF), WORK (a scratch directory).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
function(run)
  execute_process(COMMAND ${CONVERT} --quiet ${ARGN} RESULT_VARIABLE rc OUTPUT_QUIET
                  WORKING_DIRECTORY ${WORK})
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "nffconvert ${ARGN} failed: ${rc}")
  endif()
endfunction()
function(expect_same a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "text and binary round trip changed ${b}")
  endif()
endfunction()

run(--help)
run(${INPUT} ${WORK}/a.bnff)
run(--old-colours ${WORK}/a.bnff ${WORK}/b.nff)
run(--binary ${WORK}/b.nff ${WORK}/c.bnff)
run(--old-colours --text ${WORK}/c.bnff ${WORK}/d.nff)
expect_same(${WORK}/b.nff ${WORK}/d.nff)
run(${WORK}/c.bnff ${WORK}/e.nff)
run(${WORK}/e.nff ${WORK}/f.bnff)
if(NOT EXISTS ${WORK}/mt1.mat OR NOT EXISTS ${WORK}/mt2.mat)
  message(FATAL_ERROR "the material files were not written beside the output")
endif()

execute_process(COMMAND ${CONVERT} ${WORK}/missing.nff ${WORK}/x.bnff RESULT_VARIABLE rc
                OUTPUT_QUIET ERROR_QUIET)
if(rc EQUAL 0)
  message(FATAL_ERROR "a missing input was reported as converted")
endif()

# An output directory that does not exist is a failure, reported quietly.
execute_process(COMMAND ${CONVERT} --quiet ${INPUT} ${WORK}/missing/out.bnff RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_QUIET)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "a missing output directory gave ${rc}, not 1")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "--quiet printed: ${out}")
endif()

foreach(bad "--scale" "--scale;0" "--scale;inf" "--scale;x")
  execute_process(COMMAND ${CONVERT} ${INPUT} ${WORK}/y.bnff ${bad} RESULT_VARIABLE rc
                  OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "nffconvert ${bad} gave ${rc}, not 2")
  endif()
endforeach()

# --merge gives one geometry named after the first; --scale multiplies.
run(--merge --scale 2 --old-colours --text ${INPUT} ${WORK}/merged.nff)
file(READ ${WORK}/merged.nff merged)
string(FIND "${merged}" "\nwedge\n" wedge)
string(FIND "${merged}" "\ntri\n" tri)
string(FIND "${merged}" "\n4.000000 0.000000 0.000000\n" scaled)
if(wedge EQUAL -1 OR NOT tri EQUAL -1 OR scaled EQUAL -1)
  message(FATAL_ERROR "--merge --scale 2 wrote:\n${merged}")
endif()
