# Cross build for 32-bit Windows. This machine cannot execute 32-bit programs, so
# this target is compile-and-link only; it is where the runtime's 32-bit record
# layouts are pinned by static_assert.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KELPA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
