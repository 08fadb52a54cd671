# What every build compiles with.

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

option(TESSARO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TESSARO_FUZZ "Build only the fuzz targets of fuzz/, with clang's libFuzzer" OFF)
add_compile_options(-Wall -Wextra)
# The same bits from a step on every build: no fused multiply-adds, and on 32-bit x86
# the SSE2 unit instead of the x87 one with its wider registers.
add_compile_options(-ffp-contract=off)
if(NOT EMSCRIPTEN AND CMAKE_SYSTEM_PROCESSOR MATCHES "i.86|x86|AMD64" AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_options(-msse2 -mfpmath=sse)
endif()
if(TESSARO_SANITIZE OR TESSARO_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TESSARO_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
# Windows programs: the narrow API, Windows 7 on, and only the system's own libraries
# at run time.
if(WIN32)
  add_compile_definitions(UNICODE=0 WINVER=0x0601 _WIN32_WINNT=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
# Every program at the top of its build folder, where the Makefile and the scripts look.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
