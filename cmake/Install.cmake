# `cmake --install` lays out a complete program folder: the panel, the
# companion beside it, and the per-server folders the program comes with.
include(GNUInstallDirs)
if(TARGET QuorvelPanel)
  install(TARGETS QuorvelPanel RUNTIME DESTINATION .)
endif()
install(TARGETS companion_standin RUNTIME DESTINATION .)
foreach(server 1 2 3 4)
  install(DIRECTORY DESTINATION "отыгровки/rp${server}/команды")
  install(DIRECTORY DESTINATION "date/rp${server}")
endforeach()
