# Installs the build into a fresh temporary prefix and runs the installed
# program's test on it; the prefix is removed afterwards.
string(RANDOM LENGTH 8 suffix)
set(prefix ${BUILD_DIR}/installed-test-${suffix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                OUTPUT_QUIET RESULT_VARIABLE installed)
if(NOT installed EQUAL 0)
  file(REMOVE_RECURSE ${prefix})
  message(FATAL_ERROR "cmake --install failed")
endif()
execute_process(COMMAND ${XVFB_RUN} -a -s "-screen 0 1600x1200x24" ${TEST_PROGRAM} ${prefix} RESULT_VARIABLE ran)
file(REMOVE_RECURSE ${prefix})
if(NOT ran EQUAL 0)
  message(FATAL_ERROR "the installed program's test failed")
endif()
