# `cmake --install` lays out a complete program folder: the panel, the
# companion beside it, and the per-server folders the program comes with.
include(GNUInstallDirs)
if(TARGET QuorvelPanel)
  install(TARGETS QuorvelPanel RUNTIME DESTINATION .)
endif()
install(TARGETS Quorvel RUNTIME DESTINATION .)
foreach(server 1 2 3 4)
  install(DIRECTORY DESTINATION "отыгровки/rp${server}/команды")
  install(DIRECTORY DESTINATION "date/rp${server}")
  install(DIRECTORY DESTINATION "date/rp${server}/статьи")
endforeach()
# The example articles go only where no file of that name is yet: an install
# over a player's folder never replaces a text the player edited.
install(CODE "
  set(src \"${PROJECT_SOURCE_DIR}/examples\")
  file(GLOB_RECURSE examples RELATIVE \"\${src}\" \"\${src}/*\")
  foreach(example IN LISTS examples)
    set(dest \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${example}\")
    if(EXISTS \"\${dest}\")
      message(STATUS \"Kept: \${dest}\")
    else()
      get_filename_component(dest_dir \"\${dest}\" DIRECTORY)
      file(COPY \"\${src}/\${example}\" DESTINATION \"\${dest_dir}\")
      message(STATUS \"Installing: \${dest}\")
    endif()
  endforeach()
")

if(WIN32 AND TARGET QuorvelPanel)
  # What the panel loads on a player's machine, in the layout Qt expects:
  # its libraries beside the panel, plugins in their own folders.
  foreach(lib Core Gui Widgets)
    install(FILES $<TARGET_FILE:Qt6::${lib}> DESTINATION .)
  endforeach()
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
  # A word to the player, in Russian, at the top of the folder. Kept in the
  # source as Notepad wants it (UTF-8 with a byte-order mark, CR LF).
  install(FILES "${PROJECT_SOURCE_DIR}/resources/zip/Прочти меня.txt" DESTINATION .)
  # The mingw-w64 runtime the Qt libraries were built against.
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
      message(FATAL_ERROR "mingw-w64 runtime ${dll} not found")
    endif()
    install(FILES ${dll_path} DESTINATION .)
  endforeach()
  # A player's folder carries no symbols: every binary is stripped.
  install(CODE "
    file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.exe\")
    foreach(binary IN LISTS binaries)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  ")

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME QuorvelPanel)
  set(CPACK_PACKAGE_FILE_NAME "QuorvelPanel-${PROJECT_VERSION}-win64")
  set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
  include(CPack)
endif()
