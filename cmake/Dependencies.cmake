# Every outside library the project uses, found once. Only platform/ links the media libraries
# (tarn_platform_media, privately, so that their include paths reach no layer above it);
# Python is linked by game/gameplay alone (tarn_python).
find_package(Threads REQUIRED)
find_package(Boost 1.74 REQUIRED)
find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
# Asked directly where SDL's idea of a window's geometry can be wrong (full screen refused).
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
pkg_check_modules(SDL2TTF REQUIRED IMPORTED_TARGET SDL2_ttf)
pkg_check_modules(SDL2IMAGE REQUIRED IMPORTED_TARGET SDL2_image)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(JPEG REQUIRED IMPORTED_TARGET libjpeg)
pkg_check_modules(SQUISH REQUIRED IMPORTED_TARGET libsquish)
pkg_check_modules(PYTHON REQUIRED IMPORTED_TARGET python3-embed)
find_package(GTest REQUIRED)
if(TARN_BENCH)
  find_package(benchmark REQUIRED)
  pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
endif()

# What every layer uses with the platform: threads and Boost's headers.
add_library(tarn_platform_public INTERFACE)
target_link_libraries(tarn_platform_public INTERFACE Threads::Threads Boost::boost)

add_library(tarn_platform_media INTERFACE)
target_link_libraries(tarn_platform_media INTERFACE
  OpenGL::GL PkgConfig::SDL2 PkgConfig::X11 PkgConfig::SDL2TTF PkgConfig::SDL2IMAGE PkgConfig::MPG123 PkgConfig::PNG
  PkgConfig::JPEG PkgConfig::SQUISH)

add_library(tarn_python INTERFACE)
target_link_libraries(tarn_python INTERFACE PkgConfig::PYTHON)
