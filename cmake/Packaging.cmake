# Debian packages from the install components: librx9100-0 (the module), librx9100qt-0
# (the Qt renderer), librx9100-dev (headers, CMake and pkg-config files), rx9100-tools
# (the command-line host, the desktop studio and the simulator) and python3-rx9100 (the Python module).
# scripts/package.sh builds them from a tree configured for /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rx9100)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Driver of the RX-9100 spectroradiometer")
set(CPACK_PACKAGE_CONTACT "RX-9100 driver maintainers <maintainers@rx9100.invalid>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
# System libraries through dpkg-shlibdeps; our own packages through the component
# dependencies below (at exactly this version).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
  ${PROJECT_BINARY_DIR}/driver ${PROJECT_BINARY_DIR}/qtui)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_COMPONENTS_ALL runtime dev tools)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME librx9100-0)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME librx9100-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME rx9100-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION science)
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_COMPONENT_TOOLS_DEPENDS runtime)
if(RX9100_QT)
  list(APPEND CPACK_COMPONENTS_ALL qt)
  set(CPACK_DEBIAN_QT_PACKAGE_NAME librx9100qt-0)
  set(CPACK_COMPONENT_QT_DEPENDS runtime)
  list(APPEND CPACK_COMPONENT_DEV_DEPENDS qt)
  list(APPEND CPACK_COMPONENT_TOOLS_DEPENDS qt)
  # find_package(rx9100 COMPONENTS qt) needs Qt's own development files.
  set(CPACK_DEBIAN_DEV_PACKAGE_SUGGESTS qt6-base-dev)
  # The dialogs and the plot labels are Japanese.
  set(CPACK_DEBIAN_QT_PACKAGE_RECOMMENDS fonts-noto-cjk)
endif()

if(RX9100_PYTHON)
  list(APPEND CPACK_COMPONENTS_ALL python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-rx9100)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_COMPONENT_PYTHON_DEPENDS runtime)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3, python3-numpy")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS python3-matplotlib)
endif()

include(CPack)
cpack_add_component(runtime DISPLAY_NAME "RX-9100 driver module"
  DESCRIPTION "librx9100.so, the driver module a host colour application loads.")
cpack_add_component(dev DISPLAY_NAME "RX-9100 driver development files"
  DESCRIPTION "Public headers, CMake package and pkg-config files of the driver module.")
cpack_add_component(tools DISPLAY_NAME "RX-9100 command-line host, desktop studio and simulator"
  DESCRIPTION "rx9100 measures from a terminal or a script; rx9100-studio does everything the driver offers from one Qt window; rx9100-sim is a simulated instrument on a pseudo-terminal.")
if(RX9100_PYTHON)
  cpack_add_component(python DISPLAY_NAME "RX-9100 Python module"
    DESCRIPTION "import rx9100: the driver from a script or a notebook, spectra as numpy arrays.")
endif()
if(RX9100_QT)
  cpack_add_component(qt DISPLAY_NAME "RX-9100 Qt dialog renderer"
    DESCRIPTION "librx9100qt.so shows the driver's dialogs as Qt Widgets windows.")
endif()
