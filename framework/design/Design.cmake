# pantrel_design(<target> <design.txt> [NAME <resource>] [SEARCH <folder>...] [DEPENDS <file>...])
#
# Packs a design text (designpack splices the files named by `{ @file "path" }` and
# `{ @sizedfile "path" }` blocks, looked up beside the design and then in the SEARCH
# folders) into ${CMAKE_CURRENT_BINARY_DIR}/designs/<name>.txt and, in Windows builds, links
# it into <target> (an executable) as the RCDATA resource <NAME> (default: the design's file
# name without extension, upper-cased), which ReadComponentRes(NAME, Root) reads. List
# built files the design splices in DEPENDS. Sets PANTREL_DESIGN_OUTPUT to the packed file.
function(pantrel_design target design)
  cmake_parse_arguments(A "" "NAME" "SEARCH;DEPENDS" ${ARGN})
  get_filename_component(_abs ${design} ABSOLUTE)
  get_filename_component(_dir ${_abs} DIRECTORY)
  get_filename_component(_stem ${_abs} NAME_WE)
  if(NOT A_NAME)
    set(A_NAME ${_stem})
  endif()
  string(TOUPPER ${A_NAME} _res)
  set(_out ${CMAKE_CURRENT_BINARY_DIR}/designs/${_stem}.txt)
  pantrel_host_tool(_pack designpack)
  set(_search -I ${_dir})
  foreach(_folder ${A_SEARCH})
    list(APPEND _search -I ${_folder})
  endforeach()
  set(_tooldep ${_pack})
  if(PANTREL_NATIVE)
    set(_tooldep designpack)
  endif()
  add_custom_command(OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/designs
    COMMAND ${_pack} ${_abs} ${_out} ${_search}
    DEPENDS ${_abs} ${A_DEPENDS} ${_tooldep}
    COMMENT "Packing design ${_stem}" VERBATIM)
  if(PANTREL_WINDOWS)
    set(_rc ${CMAKE_CURRENT_BINARY_DIR}/designs/${_stem}.rc)
    set(_obj ${CMAKE_CURRENT_BINARY_DIR}/designs/${_stem}.res.o)
    file(WRITE ${_rc}.in "${_res} RCDATA \"${_out}\"\n")
    configure_file(${_rc}.in ${_rc} COPYONLY)
    add_custom_command(OUTPUT ${_obj}
      COMMAND ${CMAKE_RC_COMPILER} --input-format=rc --output-format=coff -i ${_rc} -o ${_obj}
      DEPENDS ${_rc} ${_out}
      COMMENT "Compiling design resource ${_res}" VERBATIM)
    set_source_files_properties(${_obj} PROPERTIES EXTERNAL_OBJECT ON GENERATED ON)
    target_sources(${target} PRIVATE ${_obj})
  else()
    target_sources(${target} PRIVATE ${_out})
  endif()
  set(PANTREL_DESIGN_OUTPUT ${_out} PARENT_SCOPE)
endfunction()
