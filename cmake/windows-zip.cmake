# The Windows download: vellumar-<version>-win64.zip holding one folder with
# vellumar.exe and its help file beside it; unzip and run.
# Made with every build of the program (target windows_zip).
set(zip_name vellumar-${PROJECT_VERSION}-win64)
set(zip_stage ${CMAKE_BINARY_DIR}/zip)
add_custom_target(windows_zip ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_stage} ${CMAKE_BINARY_DIR}/${zip_name}.zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_stage}/${zip_name}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vellumar>
          $<TARGET_FILE_DIR:vellumar>/vellumar100.chm ${zip_stage}/${zip_name}
  COMMAND ${CMAKE_COMMAND} -E chdir ${zip_stage}
          ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${zip_name}.zip --format=zip ${zip_name}
  COMMENT "Packing ${zip_name}.zip"
  VERBATIM)
add_dependencies(windows_zip vellumar vellumar_help)
