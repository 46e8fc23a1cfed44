# The layering table (src/layers.txt): for each folder, the folders it may use. The build links
# each part with the parts listed for it; tests/layering checks every #include against it.
file(STRINGS ${CMAKE_SOURCE_DIR}/src/layers.txt kelda_layer_lines REGEX "^[a-z/]+:")
foreach(line ${kelda_layer_lines})
  string(REGEX MATCH "^([a-z/]+):(.*)$" matched "${line}")
  string(STRIP "${CMAKE_MATCH_2}" uses)
  string(REPLACE " " ";" uses "${uses}")
  set(KELDA_LAYER_USES_${CMAKE_MATCH_1} "${uses}")
endforeach()

# kelda_add_part(NAME): the static library kelda_NAME from every .cpp below the calling folder,
# linked with the parts the layering table lists for src/NAME (a folder without sources yet
# gives an interface library).
function(kelda_add_part name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(uses "")
  foreach(used ${KELDA_LAYER_USES_${name}})
    list(APPEND uses kelda_${used})
  endforeach()
  if(sources)
    add_library(kelda_${name} STATIC ${sources})
    target_link_libraries(kelda_${name} PUBLIC kelda_base ${uses})
  else()
    add_library(kelda_${name} INTERFACE)
    target_link_libraries(kelda_${name} INTERFACE kelda_base ${uses})
  endif()
endfunction()
