# Cross-compiling the Windows program with MinGW-w64. TESSARO_WINDOWS_ARCH picks
# the width: i686 (the default, the program players get) or x86_64 (for running
# the same sources under a 64-bit Wine where 32-bit programs cannot start).
set(TESSARO_WINDOWS_ARCH i686 CACHE STRING "i686 or x86_64")
set_property(CACHE TESSARO_WINDOWS_ARCH PROPERTY STRINGS i686 x86_64)
# try_compile projects read this file again and must see the same width.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TESSARO_WINDOWS_ARCH)

set(mingw ${TESSARO_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TESSARO_WINDOWS_ARCH})
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
