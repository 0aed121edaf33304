# SPDX-License-Identifier: MIT
# The Windows resources of a program: its manifest, the program's icon, and a version resource
# made from the project's version.
function(zaveze_windows_resources target description)
  set(ZAVEZE_PROGRAM ${target})
  set(ZAVEZE_DESCRIPTION "${description}")
  set(ZAVEZE_VERSION_4 "${PROJECT_VERSION}.0")
  set(ZAVEZE_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(ZAVEZE_ICON ${PROJECT_SOURCE_DIR}/resources/windows/zaveze.ico)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/${target}.manifest ${ZAVEZE_MANIFEST}
                 @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
