# Installation: the program, its help file and the HTML guide together in a
# private folder (the program looks for the help file beside itself), a link
# to the program in bin, the desktop entry, the AppStream metainfo, the icons
# and, on Unix, the manual page, the copyright file and the changelog. The
# files come from src/resources and what it builds.
include(GNUInstallDirs)
set(resources ${PROJECT_SOURCE_DIR}/src/resources)
set(resources_build ${PROJECT_BINARY_DIR}/src/resources)
set(VELLUMAR_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/vellumar CACHE STRING
    "Folder of the program, its help file and the HTML guide, below the prefix")
install(TARGETS vellumar RUNTIME DESTINATION ${VELLUMAR_PROGRAM_DIR})
if(CMAKE_OBJCOPY AND NOT WIN32)
  # A stripped program also loses the compilers' version notes, as Debian's
  # own packages do.
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VELLUMAR_PROGRAM_DIR}/vellumar\")
    endif()
  ")
endif()
install(FILES ${resources_build}/help/vellumar100.chm DESTINATION ${VELLUMAR_PROGRAM_DIR})
file(GLOB help_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/help/*.html)
install(FILES ${help_pages} DESTINATION ${VELLUMAR_PROGRAM_DIR}/help)
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(RELATIVE_PATH target \"/prefix/${CMAKE_INSTALL_BINDIR}\" \"/prefix/${VELLUMAR_PROGRAM_DIR}/vellumar\")
  message(STATUS \"Linking: \${bin}/vellumar -> \${target}\")
  file(CREATE_LINK \"\${target}\" \"\${bin}/vellumar\" SYMBOLIC)
")
install(FILES ${resources_build}/example.vellumar.Vellumar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${resources_build}/example.vellumar.Vellumar.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icon at 16 pixels, the larger drawings named by their size, the SVG.
set(hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${resources}/icon.png DESTINATION ${hicolor}/16x16/apps RENAME vellumar.png)
file(GLOB icons CONFIGURE_DEPENDS ${resources}/icons/*.png)
foreach(icon ${icons})
  get_filename_component(size ${icon} NAME_WE)
  install(FILES ${icon} DESTINATION ${hicolor}/${size}x${size}/apps RENAME vellumar.png)
endforeach()
install(FILES ${resources}/icons/vellumar.svg DESTINATION ${hicolor}/scalable/apps)
if(UNIX)
  install(FILES ${resources_build}/vellumar.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${resources}/copyright ${resources_build}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vellumar)
endif()
