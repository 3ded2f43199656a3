# cpack -G DEB (from the build folder): a Debian package of what cmake --install puts in place, with
# its library dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME corvex)
set(CPACK_PACKAGE_VENDOR "The Corvex developers")
set(CPACK_PACKAGE_CONTACT "The Corvex developers <corvex@example.org>" CACHE STRING "Package maintainer")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop plotter for two-dimensional measurement data")
set(CPACK_PACKAGE_DESCRIPTION "Corvex plots plot data files of up to 100 data sets and 250,000 points, \
watches a folder and plots each file as it arrives, and draws files in batches with corvex-render.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by shlibdeps: the fonts the plots are measured with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
include(CPack)
