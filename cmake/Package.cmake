# The Debian package: `cpack -G DEB` in the build folder gives wireprobedesk_<version>_<arch>.deb
# with everything `cmake --install` puts under /usr, the manual pages included.

# Manual pages go in gzipped, as Debian expects; -n keeps the name and time out of the
# gzip header so the same page always gives the same bytes.
find_program(WPD_GZIP gzip REQUIRED)
set(wpd_pages wireprobedesk)
if(TARGET wireprobe-send)
  list(APPEND wpd_pages wireprobe-send)
endif()
set(wpd_man_outputs)
foreach(page IN LISTS wpd_pages)
  set(src ${CMAKE_CURRENT_SOURCE_DIR}/docs/man/${page}.1)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E copy ${src} ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1
    COMMAND ${WPD_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1
    DEPENDS ${src}
    COMMENT "Compressing the manual page ${page}(1)"
    VERBATIM)
  list(APPEND wpd_man_outputs ${out})
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(wpd_man_pages DEPENDS ${wpd_man_outputs})
# The pages are built with the programs, so installing a program never misses its page.
foreach(page IN LISTS wpd_pages)
  add_dependencies(${page} wpd_man_pages)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wireprobedesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "wireProbeDesk developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "send a raw request over TCP and watch the raw response")
# One line of the extended description a line here, as dpkg shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "wireProbeDesk is a desktop tool for testing a request/response service by"
  "hand, typically a SOAP endpoint over HTTP. A complete raw request is typed,"
  "loaded or pasted, sent to a chosen host and port exactly as written, and the"
  "response is shown exactly as it arrives until the server closes the"
  "connection. The user interface is in Japanese.")
set(WPD_PACKAGE_MAINTAINER "wireProbeDesk developers <wireprobedesk@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package")
set(WPD_PACKAGE_HOMEPAGE "https://github.com/wireprobedesk/wireprobedesk"
    CACHE STRING "Homepage field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${WPD_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${WPD_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${WPD_PACKAGE_HOMEPAGE}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the Qt 6 and C++ runtime libraries; the Japanese Qt texts, the
# CJK font and Qt's SQLite driver (the history) are loaded at run time, so no library
# dependency would bring them in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-noto-cjk, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The package as built is checked as apt would see it. CPack runs file(1) to find the
# executables it hands to dpkg-shlibdeps.
find_program(WPD_DPKG_DEB dpkg-deb)
find_program(WPD_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(WPD_FILE file)
if(WPD_DPKG_DEB AND WPD_DPKG_SHLIBDEPS AND WPD_FILE AND CMAKE_CPACK_COMMAND)
  if(TARGET wireprobe-send)
    set(wpd_send_expected 1)
  else()
    set(wpd_send_expected 0)
  endif()
  add_test(NAME package COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check-package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package PROPERTIES
    ENVIRONMENT "WPD_CPACK=${CMAKE_CPACK_COMMAND};WPD_SEND_EXPECTED=${wpd_send_expected}"
    TIMEOUT 300)
endif()
