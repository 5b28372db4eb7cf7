# zyn_tool_library(<target> SOURCE <source> OUTPUT <library.zyb> [SINGLE])
# Builds a tool library file (or, with SINGLE, a single-tool file) from its readable source with
# zyn-toolc at build time. <target> is a custom target built by default, for other targets to
# depend on.
function(zyn_tool_library target)
  cmake_parse_arguments(ARG "SINGLE" "SOURCE;OUTPUT" "" ${ARGN})
  set(_single)
  if(ARG_SINGLE)
    set(_single --single)
  endif()
  get_filename_component(_source ${ARG_SOURCE} ABSOLUTE)
  get_filename_component(_outdir ${ARG_OUTPUT} DIRECTORY)
  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_outdir}
    COMMAND zyn-toolc build ${_single} ${_source} ${ARG_OUTPUT}
    DEPENDS zyn-toolc ${_source}
    COMMENT "Building tool library ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()
