# cmake --install: the programs, the desktop entry, the icon, the AppStream metainfo and the man pages,
# in the usual places under the prefix.
include(GNUInstallDirs)
set(CORVEX_HOMEPAGE "https://corvex.example.org" CACHE STRING "Home page named in the metainfo")
set(CORVEX_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence expression named in the metainfo")

install(TARGETS corvex corvex-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(CORVEX_LIBRARY_TYPE STREQUAL "SHARED")
  install(TARGETS corvex_core corvex_ui LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(FILES data/org.corvex.Corvex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/org.corvex.Corvex.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(data/org.corvex.Corvex.metainfo.xml.in org.corvex.Corvex.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/org.corvex.Corvex.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES man/corvex.1 man/corvex-render.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The watch service as a systemd unit, one instance per watched folder.
install(FILES docs/corvex-watch@.service DESTINATION lib/systemd/system)
