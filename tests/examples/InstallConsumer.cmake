# Installs the build into a scratch prefix, then builds and runs a host project
# that finds the driver with find_package.
set(prefix ${BINARY_DIR}/install-check/root)
set(consumer ${BINARY_DIR}/install-check/consumer)
file(REMOVE_RECURSE ${BINARY_DIR}/install-check)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix}
  COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${consumer} -G Ninja
  -DCMAKE_PREFIX_PATH=${prefix} COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${consumer} COMMAND_ERROR_IS_FATAL ANY
  OUTPUT_QUIET)
execute_process(COMMAND ${consumer}/consumer COMMAND_ERROR_IS_FATAL ANY)
