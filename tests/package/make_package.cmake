# Makes the Debian package of BUILD_DIR into OUT_DIR with cpack, as a user
# does in a Release build; the package tests read it from there. It is made
# twice: the same tree must give the same bytes (every time stamp the
# version's).
file(REMOVE_RECURSE ${OUT_DIR} ${OUT_DIR}-again)
foreach(out ${OUT_DIR} ${OUT_DIR}-again)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=SOURCE_DATE_EPOCH
                          ${CPACK} -G DEB -B ${out} --config ${BUILD_DIR}/CPackConfig.cmake
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed (${result}):\n${output}")
  endif()
endforeach()
file(GLOB first ${OUT_DIR}/*.deb)
file(GLOB second ${OUT_DIR}-again/*.deb)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${first} ${second} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "two packages of the same build differ: ${first} ${second}")
endif()
file(REMOVE_RECURSE ${OUT_DIR}-again)
