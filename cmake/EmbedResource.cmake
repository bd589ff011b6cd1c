# sorvanti_embed_resource(<object-library> TYPE <type> ID <number> FILE <path>)
#
# Compiles the bytes of <path> into <object-library> and registers them under (<type>, <number>)
# for resources::Find(). The bytes are pulled in by the assembler (.incbin), so large pictures
# cost no compile time; the object is rebuilt when the file changes. Link the object library
# directly into every executable that needs its resources.
set(SORVANTI_EMBED_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/EmbeddedResource.cpp.in)

function(sorvanti_embed_resource target)
  cmake_parse_arguments(ARG "" "TYPE;ID;FILE" "" ${ARGN})
  if(NOT ARG_TYPE OR NOT DEFINED ARG_ID OR NOT ARG_FILE)
    message(FATAL_ERROR "sorvanti_embed_resource needs TYPE, ID and FILE")
  endif()
  cmake_path(ABSOLUTE_PATH ARG_FILE BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  string(MAKE_C_IDENTIFIER "sorvanti_resource_${ARG_TYPE}_${ARG_ID}" RESOURCE_SYMBOL)
  set(RESOURCE_TYPE ${ARG_TYPE})
  set(RESOURCE_ID ${ARG_ID})
  set(RESOURCE_FILE ${ARG_FILE})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${RESOURCE_SYMBOL}.cpp)
  configure_file(${SORVANTI_EMBED_TEMPLATE} ${source} @ONLY)
  target_sources(${target} PRIVATE ${source})
  set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS ${ARG_FILE})
endfunction()
