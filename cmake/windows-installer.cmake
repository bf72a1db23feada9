# The Windows installer vellumar-<version>-win64-setup.exe, made with NSIS's
# makensis (Debian: nsis) from src/resources/vellumar.nsi.in with every build
# of the program (target windows_installer). Without makensis there is none,
# and the installer test fails.
find_program(VELLUMAR_MAKENSIS makensis)
if(NOT VELLUMAR_MAKENSIS)
  message(WARNING "makensis not found: no Windows installer (Debian: apt-get install nsis)")
  return()
endif()
set(installer_script ${CMAKE_BINARY_DIR}/installer/vellumar.nsi)
configure_file(${PROJECT_SOURCE_DIR}/src/resources/vellumar.nsi.in ${installer_script} @ONLY)
set(installer ${CMAKE_BINARY_DIR}/vellumar-${PROJECT_VERSION}-win64-setup.exe)
# The help file as src/resources compiles it.
set(help_file ${CMAKE_BINARY_DIR}/src/resources/help/vellumar100.chm)
add_custom_command(OUTPUT ${installer}
  COMMAND ${VELLUMAR_MAKENSIS} -V2 -DPROGRAM=$<TARGET_FILE:vellumar> -DHELP=${help_file}
          -DOUTPUT=${installer} ${installer_script}
  DEPENDS vellumar vellumar_help ${help_file} ${installer_script} ${PROJECT_SOURCE_DIR}/src/resources/vellumar.ico
  COMMENT "Making vellumar-${PROJECT_VERSION}-win64-setup.exe"
  VERBATIM)
add_custom_target(windows_installer ALL DEPENDS ${installer})
