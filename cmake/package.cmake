# The release zip: `cmake --build --preset windows --target package` makes
# Quindlet-<version>-win32.zip holding Quindlet.exe, Lngs\*.lng, README.txt and LICENSE.txt,
# all at the top level of the zip, as the user unpacks them into a folder of their own.

# Windows line ends for the text files, so they read well in any Windows editor.
configure_file(${CMAKE_SOURCE_DIR}/docs/README.txt ${CMAKE_BINARY_DIR}/package/README.txt
    @ONLY NEWLINE_STYLE WIN32)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/package/LICENSE.txt
    COPYONLY)
file(READ ${CMAKE_BINARY_DIR}/package/LICENSE.txt QUINDLET_LICENSE_TEXT)
string(REPLACE "\r\n" "\n" QUINDLET_LICENSE_TEXT "${QUINDLET_LICENSE_TEXT}")
string(REPLACE "\n" "\r\n" QUINDLET_LICENSE_TEXT "${QUINDLET_LICENSE_TEXT}")
file(WRITE ${CMAKE_BINARY_DIR}/package/LICENSE.txt "${QUINDLET_LICENSE_TEXT}")

install(TARGETS Quindlet RUNTIME DESTINATION .)
if(QUINDLET_LANGUAGE_FILES)
    install(FILES ${QUINDLET_LANGUAGE_FILES} DESTINATION Lngs)
endif()
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt ${CMAKE_BINARY_DIR}/package/LICENSE.txt
    DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quindlet)
set(CPACK_PACKAGE_VENDOR "The Quindlet developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Quindlet-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
