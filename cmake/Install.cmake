# What a host gets: librx9100.so (component runtime), with COMPONENTS qt the Qt renderer
# librx9100qt.so (component qt), the public headers, the CMake package and pkg-config files
# (component dev), and the command-line host and simulator (component tools, from their
# folders). Only the headers listed here are installed; the rest of the tree is the
# driver's own.
include(CMakePackageConfigHelpers)

# The host interface.
set(RX9100_HOST_HEADERS
  interfaces/outside/CommunicationMethod.h
  interfaces/outside/ItemIterator.h
  interfaces/outside/PortwayEx.h
  interfaces/outside/WindowHandle.h
  driver/measure/MeasureMessages.h
  driver/platform/Export.h
  driver/platform/Sync.h
  driver/platform/UiServices.h
  driver/platform/Window.h
  driver/sensor/AbstractSensorStrategy.h
  driver/sensor/CalibrationCapability.h
  driver/sensor/CapIterator.h
  driver/sensor/ConcreteSensor.h
  driver/sensor/ConditionCodes.h
  driver/sensor/CTime.h
  driver/sensor/DataFormat.h
  driver/sensor/DataPack.h
  driver/sensor/InstrumentCapability.h
  driver/sensor/InstrumentId.h
  driver/sensor/InstrumentState.h
  driver/sensor/MeasuringData.h
  driver/sensor/RegistryStore.h
  driver/sensor/ResultCodes.h
  driver/sensor/SetupCapability.h
  driver/sensor/SetupStatus.h
  driver/sensor/StoredRecords.h
  driver/sensor/TavoRX9100.h
  driver/usercal/CalibrationFiles.h
  driver/whitecal/WhiteCalibrationData.h)
# What a dialog renderer builds against.
set(RX9100_RENDERER_HEADERS
  driver/dialogs/Renderer.h
  driver/platform/ui/ComboBox.h
  driver/platform/ui/Control.h
  driver/platform/ui/Dialog.h
  driver/platform/ui/DialogRunner.h
  driver/platform/ui/DialogTemplate.h
  driver/platform/ui/Edit.h
  driver/platform/ui/ListView.h
  driver/platform/ui/NumericEdit.h
  driver/platform/ui/ReferenceGrid.h
  driver/platform/ui/SpectralGraph.h)
set(RX9100_QT_HEADERS
  qtui/include/rx9100qt/ColourVectorPainter.h
  qtui/include/rx9100qt/QtDialogRunner.h
  qtui/include/rx9100qt/QtExport.h
  qtui/include/rx9100qt/QtUi.h
  qtui/include/rx9100qt/QtUiServices.h
  qtui/include/rx9100qt/SpectrumPainter.h
  qtui/include/rx9100qt/SpectrumPng.h)

set(RX9100_INCLUDE_DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/rx9100)
foreach(header IN LISTS RX9100_HOST_HEADERS RX9100_RENDERER_HEADERS RX9100_QT_HEADERS)
  # driver/sensor/X.h goes to include/rx9100/sensor/X.h, and so on.
  string(REGEX REPLACE "^(driver|interfaces|qtui/include)/" "" relative ${header})
  get_filename_component(folder ${relative} DIRECTORY)
  if(header IN_LIST RX9100_QT_HEADERS AND NOT RX9100_QT)
    continue()
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/${header}
    DESTINATION ${RX9100_INCLUDE_DESTINATION}/${folder} COMPONENT dev)
endforeach()

set(RX9100_CMAKE_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/rx9100)
install(TARGETS rx9100 EXPORT rx9100Targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev)
install(EXPORT rx9100Targets NAMESPACE rx9100:: DESTINATION ${RX9100_CMAKE_DESTINATION}
  COMPONENT dev)
if(RX9100_QT)
  set_target_properties(rx9100qt PROPERTIES EXPORT_NAME qt)
  install(TARGETS rx9100qt EXPORT rx9100QtTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT qt NAMELINK_COMPONENT dev)
  install(EXPORT rx9100QtTargets NAMESPACE rx9100:: DESTINATION ${RX9100_CMAKE_DESTINATION}
    COMPONENT dev)
endif()
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/rx9100Config.cmake.in
  ${PROJECT_BINARY_DIR}/rx9100Config.cmake
  INSTALL_DESTINATION ${RX9100_CMAKE_DESTINATION})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/rx9100ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/rx9100Config.cmake
  ${PROJECT_BINARY_DIR}/rx9100ConfigVersion.cmake
  DESTINATION ${RX9100_CMAKE_DESTINATION} COMPONENT dev)

# pkg-config files that find the prefix from where they lie, wherever it is installed.
file(RELATIVE_PATH RX9100_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
foreach(package rx9100 rx9100qt)
  if(package STREQUAL "rx9100qt" AND NOT RX9100_QT)
    continue()
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${package}.pc.in
    ${PROJECT_BINARY_DIR}/${package}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${package}.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
endforeach()
