# SPDX-License-Identifier: MIT
# The headers a library offers to the targets that link it. Those targets find headers only in
# build/include, where each offered header is a one-line file that includes the real one; a header
# a library keeps to itself is not there, so including it from outside fails to compile.
function(zaveze_offer_headers target)
  foreach(header IN LISTS ARGN)
    file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/include/${header}
         CONTENT "#include \"${PROJECT_SOURCE_DIR}/src/${header}\"\n")
  endforeach()
  target_include_directories(${target} PUBLIC ${PROJECT_BINARY_DIR}/include)
endfunction()

# Offers every header under src/FOLDER.
function(zaveze_offer_folder target folder)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/src
       ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
  zaveze_offer_headers(${target} ${headers})
endfunction()
