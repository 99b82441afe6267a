# The program's own pictures: bitmaps 182, 190, 191, 193, toolbars 190 and 191, icon group
# 128. cardgen draws them at build time into a resource module that is compiled in.
if(TESSAMO_GUI)
  set(TESSAMO_PROGRAM_IMAGES_CPP ${CMAKE_CURRENT_BINARY_DIR}/ProgramResourceData.cpp)
  add_custom_command(
    OUTPUT ${TESSAMO_PROGRAM_IMAGES_CPP}
    COMMAND cardgen --program-cpp ${TESSAMO_PROGRAM_IMAGES_CPP}
    DEPENDS cardgen
    COMMENT "Drawing the program's own images")
  add_library(tessamo_images STATIC ${TESSAMO_PROGRAM_IMAGES_CPP})
  target_include_directories(tessamo_images PUBLIC ${PROJECT_SOURCE_DIR})
endif()
