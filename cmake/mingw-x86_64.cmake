# Cross-compiling for 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TARVO_MINGW_TRIPLE x86_64-w64-mingw32)
set(TARVO_WINDOWS_WIDTH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
