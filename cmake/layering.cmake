# Which folders each library may include from. A stray include stops the
# configure step (which runs again whenever one of these sources changes), so
# a layer cannot reach up or sideways: the molecule records see nothing of
# the desktop interfaces, the editor nothing of the courses, the Qt-free
# libraries nothing of their qt/ faces.
#
# An include is judged by its whole folder ("framework/qt/hostwidget.h" is in
# framework/qt, not in framework), and only the folder's own files are read:
# framework/qt is checked as a layer of its own.
#
#   kovala_check_layer(FOLDER ALLOWED... [ENTRY FOLDERS...])
#
# ENTRY names what a program's main.cpp in the folder may include besides:
# the entry code wires the Qt faces to the Qt-free library beside it.
function(kovala_check_layer folder)
  cmake_parse_arguments(ARG "" "" "ENTRY" ${ARGN})
  set(allowed ${ARG_UNPARSED_ARGUMENTS})
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.h" "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    set(may ${allowed})
    get_filename_component(name "${source}" NAME)
    if(name STREQUAL "main.cpp")
      list(APPEND may ${ARG_ENTRY})
    endif()
    file(STRINGS "${source}" includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"(.*)/[^/\"]*\".*" "\\1" from "${line}")
      if(from STREQUAL line OR NOT from IN_LIST may)
        message(FATAL_ERROR "${source}: ${line}\n${folder}/ may include only from ${may}")
      endif()
    endforeach()
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${sources})
endfunction()

# The program's texts are looked up through i18n, which every Qt-free library
# that words something for the student may use.
kovala_check_layer(base base)
kovala_check_layer(i18n i18n)
kovala_check_layer(framework framework base)
kovala_check_layer(model model base i18n)
kovala_check_layer(chem chem model i18n)
kovala_check_layer(editor editor model base framework chem i18n)
kovala_check_layer(practice practice editor model base framework i18n)
kovala_check_layer(view3d view3d editor chem model base framework i18n)
kovala_check_layer(resources resources model base i18n)
kovala_check_layer(app app editor practice view3d model base framework i18n ENTRY app/qt framework/qt)
kovala_check_layer(framework/qt framework/qt framework base resources i18n)
kovala_check_layer(app/qt app/qt framework/qt framework resources i18n)
kovala_check_layer(setup setup framework base i18n)
kovala_check_layer(setup/qt setup/qt setup framework/qt i18n)
kovala_check_layer(setup/install setup/install setup i18n)
kovala_check_layer(setup/install/qt setup/install/qt setup/install setup/qt setup i18n ENTRY framework/qt)
kovala_check_layer(setup/uninstall setup/uninstall setup i18n)
kovala_check_layer(setup/uninstall/qt setup/uninstall setup/qt setup ENTRY framework/qt)
kovala_check_layer(thumbnailer thumbnailer editor model framework/qt i18n)
kovala_check_layer(distribution distribution editor model framework tests/support)
kovala_check_layer(tests/support tests/support app editor model base framework setup)
