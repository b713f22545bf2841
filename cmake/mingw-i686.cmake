# The 32-bit Windows programs. CMakeLists.txt adds SSE2 arithmetic for this processor.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(DETRON_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
