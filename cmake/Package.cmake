# The Debian package: `cpack -G DEB` in the build folder gives wireprobedesk_<version>_<arch>.deb
# with everything `cmake --install` puts under /usr: the manual pages, and the copyright and
# changelog Debian wants of every package.

# Manual pages and the changelog go in gzipped, as Debian expects; -n keeps the name and
# time out of the gzip header so the same file always gives the same bytes.
find_program(WPD_GZIP gzip REQUIRED)
function(wpd_gzipped src out)
  get_filename_component(dir ${out} DIRECTORY)
  string(REGEX REPLACE "\\.gz$" "" plain ${out})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${src} ${plain}
    COMMAND ${WPD_GZIP} -9nf ${plain}
    DEPENDS ${src}
    COMMENT "Compressing ${src}"
    VERBATIM)
endfunction()

# Each program has its manual page of the same name.
set(wpd_programs wireprobedesk)
if(TARGET wireprobe-send)
  list(APPEND wpd_programs wireprobe-send)
endif()
set(wpd_man_outputs)
foreach(page IN LISTS wpd_programs)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1.gz)
  wpd_gzipped(${CMAKE_CURRENT_SOURCE_DIR}/docs/man/${page}.1 ${out})
  list(APPEND wpd_man_outputs ${out})
  install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(wpd_man_pages DEPENDS ${wpd_man_outputs})
# The pages are built with the programs, so installing a program never misses its page.
foreach(page IN LISTS wpd_programs)
  add_dependencies(${page} wpd_man_pages)
endforeach()

# The package's own documents. The folder is named for the package, not the project.
set(wpd_docdir ${CMAKE_INSTALL_DATADIR}/doc/wireprobedesk)
set(wpd_changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
wpd_gzipped(${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog ${wpd_changelog})
add_custom_target(wpd_package_docs ALL DEPENDS ${wpd_changelog})
install(FILES ${wpd_changelog} packaging/copyright DESTINATION ${wpd_docdir})
# The lintian tags kept on purpose, each with its reason, where lintian reads them.
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME wireprobedesk)

# CPack's strip leaves the compiler's .comment section, which Debian's own strip removes;
# drop it from the stripped programs too (also for `cmake --install --strip`).
if(CMAKE_OBJCOPY)
  foreach(program IN LISTS wpd_programs)
    install(CODE "
      set(f \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
      if(CMAKE_INSTALL_DO_STRIP AND EXISTS \"\${f}\")
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${f}\"
                        RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
          message(FATAL_ERROR \"objcopy could not remove .comment from \${f}\")
        endif()
      endif()")
  endforeach()
endif()

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
# No Homepage field until the project has a page of its own (and none left from an older cache).
unset(WPD_PACKAGE_HOMEPAGE CACHE)
set(CPACK_PACKAGE_CONTACT "${WPD_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${WPD_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# What dpkg-deb itself uses by default.
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
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
    FIXTURES_SETUP wpd_deb
    TIMEOUT 300)
  # lintian over the package the test above left behind; a sanitizer build lacks the
  # hardening a shipped package has, so only the ordinary build is linted.
  if(NOT WPD_SANITIZE)
    add_test(NAME lintian COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check-lintian.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(lintian PROPERTIES FIXTURES_REQUIRED wpd_deb SKIP_RETURN_CODE 77 TIMEOUT 300)
  endif()
endif()
