# `make package`: a Debian package of the program, its private evaluator
# library, the desktop entry and the icon, the .curvolo document type, the
# AppStream metadata, the manual page, the copyright and the changelog. The Qt
# and C++ runtime dependencies are read off the binaries by dpkg-shlibdeps;
# what the program needs without linking it (Qt's window-system plugins, its
# Chinese translation and a CJK font) is named here.
include(GNUInstallDirs)
set(PLOTDESK_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(FILES ${PLOTDESK_PACKAGING_DIR}/plotdesk-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME plotdesk.xml)
install(FILES ${PLOTDESK_PACKAGING_DIR}/example.ombra.plotdesk.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PLOTDESK_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The changelog names the version it packages; a version bump without its
# entry would ship a changelog that contradicts the package.
file(STRINGS ${PLOTDESK_PACKAGING_DIR}/changelog PLOTDESK_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT PLOTDESK_CHANGELOG_HEAD MATCHES "^plotdesk \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog starts with '${PLOTDESK_CHANGELOG_HEAD}', "
                      "not with an entry for version ${PROJECT_VERSION}")
endif()

# The manual page and the changelog travel gzip-compressed at the highest
# level and without a time stamp, as Debian wants them.
set(PLOTDESK_GZIPPED)
foreach(source plotdesk.1 changelog)
  set(gzipped ${CMAKE_BINARY_DIR}/packaging/${source}.gz)
  add_custom_command(
    OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E copy ${PLOTDESK_PACKAGING_DIR}/${source} ${CMAKE_BINARY_DIR}/packaging/${source}
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/${source}
    DEPENDS ${PLOTDESK_PACKAGING_DIR}/${source}
    VERBATIM)
  list(APPEND PLOTDESK_GZIPPED ${gzipped})
endforeach()
add_custom_target(package_files ALL DEPENDS ${PLOTDESK_GZIPPED})
install(FILES ${CMAKE_BINARY_DIR}/packaging/plotdesk.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A native package: its changelog is changelog.gz, not changelog.Debian.gz.
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plotdesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ombra")
set(CPACK_PACKAGE_CONTACT "Curvolo <support@ombra.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Curvolo graph plotter for school mathematics (Chinese interface)")
# Lines of at most 80 columns, none starting with a full stop (Debian reads
# that as a control line); CPack indents each by one blank.
set(CPACK_PACKAGE_DESCRIPTION
    "Type y = f(x) or a parametric pair X(t), Y(t) and see the curve on a board
with axes, grid and labels; zoom, fit and export pictures, and keep drawings
as .curvolo documents. Comes with its own expression evaluator library.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The evaluator library travels in the package itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/calculator/component)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
