# Installs the public headers, the library, a CMake package
# (find_package(KorvenSignalLib) gives KorvenSignalLib::KorvenSignalLib) and a
# pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS KorvenSignalLib EXPORT KorvenSignalLibTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
install(EXPORT KorvenSignalLibTargets NAMESPACE KorvenSignalLib::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/KorvenSignalLib)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KorvenSignalLibConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KorvenSignalLibConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/KorvenSignalLib
  PATH_VARS CMAKE_INSTALL_LIBDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorvenSignalLibConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvenSignalLibConfig.cmake ${PROJECT_BINARY_DIR}/KorvenSignalLibConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/KorvenSignalLib)

configure_file(${PROJECT_SOURCE_DIR}/cmake/KorvenSignalLib.pc.in ${PROJECT_BINARY_DIR}/KorvenSignalLib.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/KorvenSignalLib.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

if(WIN32)
  # The .def and the import library for Microsoft's linker, made beside the
  # DLL (KorvenMsvcExports.cmake).
  install(FILES $<TARGET_FILE_DIR:KorvenSignalLib>/KorvenSignalLib.def
                $<TARGET_FILE_DIR:KorvenSignalLib>/KorvenSignalLib.lib
    DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
