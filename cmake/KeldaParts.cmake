# kelda_add_part(NAME): the static library kelda_NAME from every .cpp below the calling folder
# (a folder without sources yet gives an interface library).
function(kelda_add_part name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(kelda_${name} STATIC ${sources})
    target_link_libraries(kelda_${name} PUBLIC kelda_base)
  else()
    add_library(kelda_${name} INTERFACE)
    target_link_libraries(kelda_${name} INTERFACE kelda_base)
  endif()
endfunction()
