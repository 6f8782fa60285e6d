# The `release` target: a zip for this build's architecture with the saver, the
# project's runtime as an optional libcef.dll in a folder of its own, and the
# install text. scripts/release builds it for both presets.
set(KELPA_RELEASE_VERSION 3.2 CACHE STRING "Version in the release's name and install text")
# Named as the presets are: x86_64 (64-bit Windows) and i686 (32-bit).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KELPA_RELEASE_ARCH x86_64)
else()
  set(KELPA_RELEASE_ARCH i686)
endif()
set(KELPA_RELEASE_NAME KelpaScreenSaver-${KELPA_RELEASE_VERSION}-${KELPA_RELEASE_ARCH})
set(KELPA_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(KELPA_RELEASE_STAGE ${KELPA_RELEASE_DIR}/${KELPA_RELEASE_NAME})

# Windows users open text files in Notepad: CRLF line ends.
configure_file(${PROJECT_SOURCE_DIR}/release/INSTALL.txt.in ${KELPA_RELEASE_DIR}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)

# The build carries debug information; a user's copy does not need it.
if(CMAKE_STRIP)
  set(KELPA_RELEASE_STRIP ${CMAKE_STRIP} --strip-debug)
else()
  set(KELPA_RELEASE_STRIP ${CMAKE_COMMAND} -E true)
endif()

add_custom_target(release
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${KELPA_RELEASE_STAGE} ${KELPA_RELEASE_STAGE}.zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KELPA_RELEASE_STAGE}/optional-standin-runtime
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:KelpaScreenSaver> ${KELPA_RELEASE_STAGE}/
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:standin_runtime> ${KELPA_RELEASE_STAGE}/optional-standin-runtime/
  COMMAND ${CMAKE_COMMAND} -E copy ${KELPA_RELEASE_DIR}/INSTALL.txt ${KELPA_RELEASE_STAGE}/
  COMMAND ${KELPA_RELEASE_STRIP} ${KELPA_RELEASE_STAGE}/KelpaScreenSaver.scr
          ${KELPA_RELEASE_STAGE}/optional-standin-runtime/libcef.dll
  COMMAND ${CMAKE_COMMAND} -E tar cf ${KELPA_RELEASE_NAME}.zip --format=zip ${KELPA_RELEASE_NAME}
  WORKING_DIRECTORY ${KELPA_RELEASE_DIR}
  DEPENDS KelpaScreenSaver standin_runtime ${KELPA_RELEASE_DIR}/INSTALL.txt
  COMMENT "Packing ${KELPA_RELEASE_DIR}/${KELPA_RELEASE_NAME}.zip"
  VERBATIM
)
