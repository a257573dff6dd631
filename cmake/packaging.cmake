# `make package`: a Debian package of the program, the evaluator library, the
# desktop entry and the icon. The Qt and C++ runtime dependencies are read off
# the binaries by dpkg-shlibdeps; what the program needs without linking it
# (Qt's window-system plugins, its Chinese translation and a CJK font) is
# named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plotdesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ombra")
set(CPACK_PACKAGE_CONTACT "Curvolo <support@ombra.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Curvolo graph plotter for school mathematics (Chinese interface)")
set(CPACK_PACKAGE_DESCRIPTION
    "Type y = f(x) or a parametric pair X(t), Y(t) and see the curve on a board with axes, grid and labels; zoom, fit and export pictures. Comes with its own expression evaluator library.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The evaluator library travels in the package itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/calculator/component)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
