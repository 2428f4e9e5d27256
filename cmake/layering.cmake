# Which folders each library may include from. A stray include stops the
# configure step (which runs again whenever one of these sources changes), so
# a layer cannot reach up or sideways: the molecule records see nothing of
# the desktop interfaces, the editor nothing of the courses.
function(kovala_check_layer folder)
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.h" "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([^/\"]*)/.*" "\\1" top "${line}")
      if(NOT top IN_LIST ARGN)
        message(FATAL_ERROR "${source}: ${line}\n${folder}/ may include only from ${ARGN}")
      endif()
    endforeach()
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sources})
endfunction()

kovala_check_layer(base base)
# i18n/ (the texts' lookup) depends on nothing, so every layer may use it.
kovala_check_layer(model model base i18n)
kovala_check_layer(editor editor model base framework chem i18n)
kovala_check_layer(practice practice editor model base framework i18n)
