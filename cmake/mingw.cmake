# Cross-compiles for Windows with Debian's MinGW-w64 toolchains: 32-bit
# (MINGW_PROCESSEUR i686, the program users run) or 64-bit (x86_64, the same
# program, for testing under a wine that cannot run 32-bit programs).
if(NOT MINGW_PROCESSEUR)
  set(MINGW_PROCESSEUR i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_PROCESSEUR})
set(CMAKE_C_COMPILER ${MINGW_PROCESSEUR}-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER ${MINGW_PROCESSEUR}-w64-mingw32-g++)
set(CMAKE_RC_COMPILER ${MINGW_PROCESSEUR}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PROCESSEUR}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One self-contained program: no MinGW runtime DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
