# Install and export rules for the libraries, so that another CMake project can use them
# through find_package(Vantor) (besides add_subdirectory of this repository):
#
#   find_package(Vantor REQUIRED)
#   target_link_libraries(host PRIVATE Vantor::Designer)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(_vantor_export_targets vantor_core)
set_target_properties(vantor_core PROPERTIES EXPORT_NAME Core)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/core/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vantor/core
        FILES_MATCHING PATTERN "*.h")

if(TARGET vantor_dataaccess)
  list(APPEND _vantor_export_targets vantor_dataaccess)
  # The build tree's include path must not leak into the installed package.
  set_target_properties(vantor_dataaccess PROPERTIES
    EXPORT_NAME DataAccess
    INTERFACE_INCLUDE_DIRECTORIES
      "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>;$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/vantor>")
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/dataaccess/
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vantor/dataaccess FILES_MATCHING PATTERN "*.h")
endif()
if(TARGET vantor_designer)
  list(APPEND _vantor_export_targets vantor_designer)
  foreach(_dir designer diagram editors)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/${_dir}/
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vantor/${_dir} FILES_MATCHING PATTERN "*.h")
  endforeach()
endif()

install(TARGETS ${_vantor_export_targets} EXPORT VantorTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vantor)
install(EXPORT VantorTargets NAMESPACE Vantor:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Vantor)

set(VANTOR_WITH_GUI OFF)
if(TARGET vantor_dataaccess)
  set(VANTOR_WITH_GUI ON)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VantorConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/VantorConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Vantor)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VantorConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VantorConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/VantorConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Vantor)
