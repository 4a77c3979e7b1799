# Platform backends are chosen at link time by file name: Foo_win.cpp on Windows,
# Foo_linux.cpp elsewhere. Callers only ever see Foo.h.
if(WIN32)
  set(QUORVEL_PLATFORM_SUFFIX "_win")
  set(QUORVEL_OTHER_SUFFIX "_linux")
else()
  set(QUORVEL_PLATFORM_SUFFIX "_linux")
  set(QUORVEL_OTHER_SUFFIX "_win")
endif()

# quorvel_collect(<out-var> <glob>...): the files matching the globs, without the
# other platform's backends.
function(quorvel_collect out)
  file(GLOB found CONFIGURE_DEPENDS ${ARGN})
  list(FILTER found EXCLUDE REGEX "${QUORVEL_OTHER_SUFFIX}(_test)?\\.cpp$")
  list(SORT found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()
