# quorvel_build_paths(<target> <name> <path> ...): hands the target the paths
# of the build's programs and data as constants of namespace buildpaths
# (tests/core/BuildPaths.h). They live in one generated source of the target,
# so a checkout's absolute paths reach no other object file, and a fresh clone
# in another folder still finds those in the compiler cache.
function(quorvel_build_paths target)
  set(content "#include \"core/BuildPaths.h\"\n\nnamespace buildpaths {\n")
  set(pairs ${ARGN})
  while(pairs)
    list(POP_FRONT pairs name path)
    string(APPEND content "const char* const ${name} = \"${path}\";\n")
  endwhile()
  string(APPEND content "}\n")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_build_paths.cpp)
  file(GENERATE OUTPUT ${out} CONTENT "${content}")
  target_sources(${target} PRIVATE ${out})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endfunction()
