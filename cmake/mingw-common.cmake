# What both Windows toolchains share; the including file sets TARVO_MINGW_TRIPLE and
# TARVO_WINDOWS_WIDTH (win32 or win64) first. Debian's mingw-w64, posix thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TARVO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVO_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)
# The cross-built dependencies (scripts/deps.sh WIDTH) count as part of the target system.
set(CMAKE_FIND_ROOT_PATH /usr/${TARVO_MINGW_TRIPLE} ${CMAKE_CURRENT_LIST_DIR}/../build/deps/${TARVO_WINDOWS_WIDTH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
