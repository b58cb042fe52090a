# A Debian package of the installed program: `bash scripts/package.sh`. Its dependencies are read
# by dpkg-shlibdeps from the libraries the program links, so no list has to be kept by hand; only
# what is loaded at run time without linking (the CJK font of the interface, the opener of folders
# and web pages) is recommended by name. The toolkit's translations are loaded at run time too, and
# without them its dialogs would speak English in a Chinese interface, so they are a dependency.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tivrevudu)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR TIVSoft)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen-capture assistant for the X11 desktop")
set(CPACK_PACKAGE_DESCRIPTION [[
Captures the whole screen, the active window or its client area, or a
region dragged out on a frozen image of the desktop. Each capture goes to
the clipboard and is saved into the picture folder under the next free
number, as JPEG, PNG or BMP; it can be marked up with shapes, arrows, text
and a watermark. Global hotkeys repeat captures from any program.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "TIVrevudu maintainers <maintainers@tivsoft.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tivsoft.example/sp/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The text recognition models; the engine library itself comes in through the shared-library check.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, tesseract-ocr-chi-sim, tesseract-ocr-eng")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei, xdg-utils")

# Every Debian package carries its copyright and changelog in its documentation folder, and a
# program its manual page; both compressed as Debian's tools compress them.
set(tiv_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
set(tiv_manual ${CMAKE_CURRENT_BINARY_DIR}/TIVrevudu.1.gz)
add_custom_command(OUTPUT ${tiv_changelog} ${tiv_manual}
  COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/resources/debian/changelog > ${tiv_changelog}
  COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/resources/debian/TIVrevudu.1 > ${tiv_manual}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/resources/debian/changelog ${CMAKE_CURRENT_SOURCE_DIR}/resources/debian/TIVrevudu.1)
add_custom_target(tiv_package_docs ALL DEPENDS ${tiv_changelog} ${tiv_manual})
install(FILES resources/debian/copyright ${tiv_changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tivrevudu)
install(FILES ${tiv_manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
include(CPack)
