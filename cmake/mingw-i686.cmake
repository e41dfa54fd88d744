# Cross-compiling for 32-bit Windows (the product).
set(CMAKE_SYSTEM_PROCESSOR X86)
set(TARVO_MINGW_TRIPLE i686-w64-mingw32)
set(TARVO_WINDOWS_WIDTH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
