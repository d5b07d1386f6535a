# The concrete controls, menus and the picture chooser (over the windowing base), and the
# built-in placeholder picture compiled in as a resource. Windows only.
if(NOT PANTREL_WINDOWS)
  return()
endif()
pantrel_library(pantrel_controls
  SOURCES
    BitBtn.cpp Button.cpp ButtonGlyph.cpp CheckBox.cpp ComboBox.cpp Edit.cpp GroupBox.cpp Image.cpp
    Label.cpp Memo.cpp Menus.cpp OpenPictureDialog.cpp Panel.cpp RadioButton.cpp RadioGroup.cpp
    SpeedButton.cpp StandardControls.cpp StatusBar.cpp TreeView.cpp UpDown.cpp
    ListBox.cpp ListView.cpp ScrollBar.cpp WindowItems.cpp
    ProgressBar.cpp TrackBar.cpp HeaderControl.cpp
    TabControl.cpp TabSet.cpp
  DEPS pantrel_ui pantrel_graphics comctl32 gdi32 user32)

# The placeholder JPEG is drawn at build time by the pantrel_placeholder target (assets);
# once every folder is read, its resource object is linked into whatever uses the controls.
function(_pantrel_controls_placeholder)
  if(NOT TARGET pantrel_placeholder)
    message(STATUS "controls: no pantrel_placeholder target, the placeholder picture is left out")
    return()
  endif()
  set(_jpg ${CMAKE_BINARY_DIR}/assets/placeholder/placeholder.jpg)
  set(_dir ${CMAKE_BINARY_DIR}/framework/ui/placeholder)
  set(_rc ${_dir}/placeholder.rc)
  set(_obj ${_dir}/placeholder.res.o)
  file(MAKE_DIRECTORY ${_dir})
  file(WRITE ${_rc}.in "PANTREL_PLACEHOLDER RCDATA \"${_jpg}\"\n")
  configure_file(${_rc}.in ${_rc} COPYONLY)
  add_custom_command(OUTPUT ${_obj}
    COMMAND ${CMAKE_RC_COMPILER} --input-format=rc --output-format=coff -i ${_rc} -o ${_obj}
    DEPENDS ${_rc} ${_jpg}
    COMMENT "Compiling the placeholder picture resource" VERBATIM)
  add_custom_target(pantrel_placeholder_res DEPENDS ${_obj})
  add_dependencies(pantrel_placeholder_res pantrel_placeholder)
  add_dependencies(pantrel_controls pantrel_placeholder_res)
  target_link_libraries(pantrel_controls INTERFACE ${_obj})
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _pantrel_controls_placeholder)
