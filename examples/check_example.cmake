# Builds and runs the example host (examples/host) against this tree, as a CTest test.
#   MODE=subdirectory: the host adds the repository with add_subdirectory.
#   MODE=package:      the build tree BUILD_DIR is installed into WORK_DIR/prefix and the
#                      host finds it with find_package(Vantor).
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
include(ProcessorCount)
ProcessorCount(JOBS)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}")
  endif()
endfunction()

if(MODE STREQUAL "subdirectory")
  run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/host -B ${WORK_DIR}/build
      -DVANTOR_SOURCE_DIR=${SOURCE_DIR} -DCMAKE_BUILD_TYPE=Release)
elseif(MODE STREQUAL "package")
  run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
  run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/host -B ${WORK_DIR}/build
      -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_BUILD_TYPE=Release)
else()
  message(FATAL_ERROR "MODE must be subdirectory or package")
endif()
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build -j ${JOBS})
run(${WORK_DIR}/build/example_host)
