# tarn_library(<target> <folder> [DEPS <targets>...] [PRIVATE_DEPS <targets>...] [EXCLUDE <files>...])
# Builds every .cpp/.c under <folder> into one static library. DEPS reach whoever links the
# library; PRIVATE_DEPS (the media libraries behind platform/) stay inside it. A folder without
# sources or a dependency that is no target stops the configure step: every layer is present,
# so either is a mistake in the build files.
function(tarn_library target folder)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.c)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/${folder}/${excluded})
  endforeach()
  if(NOT sources)
    message(FATAL_ERROR "tarn_library(${target}): no sources under ${folder}/")
  endif()
  add_library(${target} STATIC ${sources})
  foreach(dep ${ARG_DEPS} ${ARG_PRIVATE_DEPS})
    if(NOT TARGET ${dep})
      message(FATAL_ERROR "tarn_library(${target}): unknown dependency ${dep}")
    endif()
  endforeach()
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()
