include(CMakePackageConfigHelpers)

install(TARGETS kavex EXPORT kavexTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

foreach(sub IN LISTS KAVEX_SUBSYSTEMS)
  kavex_public_headers(headers ${sub})
  list(TRANSFORM headers PREPEND ${CMAKE_SOURCE_DIR}/${sub}/)
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kavex/${sub})
endforeach()
install(FILES ${KAVEX_BUILD_INCLUDE}/kavex/kavex.h ${KAVEX_BUILD_INCLUDE}/kavex/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kavex)

install(EXPORT kavexTargets NAMESPACE kavex:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kavex)
configure_package_config_file(cmake/kavexConfig.cmake.in
  ${CMAKE_BINARY_DIR}/kavexConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kavex)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/kavexConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/kavexConfig.cmake ${CMAKE_BINARY_DIR}/kavexConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/kavex)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/samples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kavex/samples)

# Data files the library reads at run time (field descriptions of the
# catalogue records, ...), installed under share/kavex/data.
if(EXISTS ${CMAKE_SOURCE_DIR}/data)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kavex/data)
endif()
