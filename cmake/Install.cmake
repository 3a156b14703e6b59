# Installs librx9100.so with its public headers and a package configuration,
# so that a host finds it with find_package(rx9100).
include(CMakePackageConfigHelpers)

install(TARGETS rx9100 EXPORT rx9100Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/rx9100)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/driver/ ${PROJECT_SOURCE_DIR}/interfaces/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/rx9100
  FILES_MATCHING PATTERN "*.h")
install(EXPORT rx9100Targets NAMESPACE rx9100::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/rx9100)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/rx9100Config.cmake.in
  ${PROJECT_BINARY_DIR}/rx9100Config.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/rx9100)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/rx9100ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/rx9100Config.cmake
  ${PROJECT_BINARY_DIR}/rx9100ConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/rx9100)
