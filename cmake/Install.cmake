# Installed layout (cmake --install build --prefix PREFIX, or the Debian package from cpack):
#   bin/                        Vantor, vantor-cli (and vantor-mpi-ignite when built)
#   lib/vantor/                 the five libraries and the plot library, loaded by the programs
#                               from <exe>/../lib/vantor
#   share/doc/vantor/           the user manual and the example project
#   share/man/man1/vantor-cli.1 made from vantor-cli's own help
#   share/applications, share/icons, share/mime/packages: the desktop entry, icon and file types
set(VANTOR_LIBRARY_INSTALL_DIR lib/vantor)
set(VANTOR_DOC_INSTALL_DIR share/doc/vantor)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)

# The programs' run path serves both trees: the installed library folder, and the build folder,
# where the libraries lie beside the programs (in bin/, which holds no libraries when installed).
foreach(program Vantor vantor-cli vantor-mpi-ignite)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/../${VANTOR_LIBRARY_INSTALL_DIR}:$ORIGIN")
    install(TARGETS ${program} RUNTIME DESTINATION bin)
  endif()
endforeach()
foreach(library Tolmar Pellor SENKIN KELDA MORVA BRENA TOVIK VantorPlots)
  if(TARGET ${library})
    install(TARGETS ${library} LIBRARY DESTINATION ${VANTOR_LIBRARY_INSTALL_DIR})
  endif()
endforeach()

# The manual as HTML when the build made it (docs/), else its source and pictures.
if(TARGET user_manual)
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/doc/manual.html DESTINATION ${VANTOR_DOC_INSTALL_DIR})
else()
  install(FILES ${PROJECT_SOURCE_DIR}/docs/manual.md DESTINATION ${VANTOR_DOC_INSTALL_DIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION ${VANTOR_DOC_INSTALL_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/gri30 DESTINATION ${VANTOR_DOC_INSTALL_DIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${VANTOR_DOC_INSTALL_DIR})

if(TARGET vantor-cli)
  set(man_page ${CMAKE_BINARY_DIR}/man/vantor-cli.1)
  add_custom_command(OUTPUT ${man_page}
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:vantor-cli> -DOUTPUT=${man_page}
            -DVERSION=${PROJECT_VERSION} -P ${packaging}/man_page.cmake
    DEPENDS vantor-cli ${packaging}/man_page.cmake
    COMMENT "Manual page of vantor-cli from its help")
  add_custom_target(vantor_cli_man_page ALL DEPENDS ${man_page})
  install(FILES ${man_page} DESTINATION share/man/man1)
endif()

if(TARGET Vantor)
  install(FILES ${packaging}/vantor.desktop DESTINATION share/applications)
  install(FILES ${packaging}/vantor.svg DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${packaging}/vantor-mime.xml DESTINATION share/mime/packages RENAME vantor.xml)
endif()

# The Debian package: cpack -G DEB in the build folder. Its dependencies are read from the
# installed programs and libraries by dpkg-shlibdeps (Debian package dpkg-dev).
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VENDOR "Vantor developers")
set(CPACK_PACKAGE_CONTACT "Vantor developers <vantor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "workbench for the skeletal reduction of CHEMKIN mechanisms")
set(CPACK_PACKAGE_DESCRIPTION "Vantor compiles a CHEMKIN chemical-kinetic mechanism, computes
constant-pressure ignition runs, reduces the mechanism by path flux analysis or the ECF method
and compares the ignition delays of the detailed and the reduced mechanism. It comes as a Qt
desktop program (Vantor) and a command-line program (vantor-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${VANTOR_LIBRARY_INSTALL_DIR})
# The plots load a Qt platform plugin at run time, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)
