# Installation: headers, both shared libraries, a CMake package and a
# pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUILLMARC_INSTALL_TARGETS quillmarc)
set(QUILLMARC_PC_CORE_LIBS "")
if(TARGET quillmar)
  list(APPEND QUILLMARC_INSTALL_TARGETS quillmar)
  set(QUILLMARC_PC_CORE_LIBS "-lquillmar")
endif()

# libquillmarc finds the core library installed beside it.
set_target_properties(quillmarc PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS ${QUILLMARC_INSTALL_TARGETS} EXPORT quillmarcTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/quillmarc
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET quillmar)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/core/include/zorvex
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endif()

set(QUILLMARC_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/quillmarc)
install(EXPORT quillmarcTargets NAMESPACE quillmarc:: DESTINATION ${QUILLMARC_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/quillmarcConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/quillmarcConfig.cmake
                              INSTALL_DESTINATION ${QUILLMARC_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/quillmarcConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/quillmarcConfig.cmake
              ${PROJECT_BINARY_DIR}/quillmarcConfigVersion.cmake
        DESTINATION ${QUILLMARC_CMAKE_DIR})

# The .pc file names the prefix the tree is installed under, the one given
# to `cmake --install --prefix` included, so that -L and the libdir a program
# takes for its run path are plain paths. Everything else is filled in here,
# the prefix by the install step (in a folder of that prefix's own, so that
# two installs to different places at once do not meet).
set(QUILLMARC_PC_PREFIX "@QUILLMARC_PC_PREFIX@")
configure_file(${PROJECT_SOURCE_DIR}/cmake/quillmarc.pc.in ${PROJECT_BINARY_DIR}/quillmarc.pc.in @ONLY)
install(CODE "
  set(QUILLMARC_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  string(MD5 _pc_dir \"\${CMAKE_INSTALL_PREFIX}\")
  set(_pc_file \"${PROJECT_BINARY_DIR}/pkgconfig-install/\${_pc_dir}/quillmarc.pc\")
  configure_file(\"${PROJECT_BINARY_DIR}/quillmarc.pc.in\" \"\${_pc_file}\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig\" TYPE FILE
       FILES \"\${_pc_file}\")")
