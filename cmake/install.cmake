# What `cmake --install` puts where (GNU layout under the prefix), and the Debian package that
# CPack builds from it (`cpack -G DEB` in the build folder; tools/package-check.sh checks it).
include(GNUInstallDirs)
# A sanitizer build is for the tests only and never installed.
if(KIVPRISM_SANITIZE)
  return()
endif()

set(linux_dir ${PROJECT_SOURCE_DIR}/packaging/linux)
set(debian_dir ${PROJECT_SOURCE_DIR}/packaging/debian)
# No address or web page is invented here: ".invalid" can never be a real domain. A project that
# gets a home replaces these (and the component id and screenshot address of the metainfo file).
set(KIVPRISM_MAINTAINER "kivprism developers <kivprism@kivprism.invalid>")

foreach(program kivprism kivprism-demo kivprism-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # Not CMAKE_INSTALL_LIBDIR: udev reads lib/udev/rules.d under /usr and /usr/local, never a
  # multiarch folder.
  install(FILES ${linux_dir}/70-kivprism.rules DESTINATION lib/udev/rules.d)
endif()

if(TARGET kivprism)
  install(FILES ${linux_dir}/kivprism.desktop ${linux_dir}/kivprism-demo.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${linux_dir}/invalid.kivprism.kivprism.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${linux_dir}/icons/kivprism.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${linux_dir}/icons/kivprism-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME kivprism.png)
  endforeach()
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
              ${debian_dir}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/user-guide/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/user-guide)

# Debian wants the changelog and the manual pages compressed with gzip -9n (no name, no time).
find_program(KIVPRISM_GZIP gzip)
find_program(KIVPRISM_HELP2MAN help2man)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
if(KIVPRISM_GZIP)
  string(TIMESTAMP KIVPRISM_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(${debian_dir}/changelog.in ${packaging_out}/changelog @ONLY)
  add_custom_command(
    OUTPUT ${packaging_out}/changelog.gz
    COMMAND ${KIVPRISM_GZIP} -9nkf ${packaging_out}/changelog
    DEPENDS ${packaging_out}/changelog
    VERBATIM)
  set(packaging_outputs ${packaging_out}/changelog.gz)
  install(FILES ${packaging_out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # The window programs' manual page (the demo's points to it).
  if(TARGET kivprism)
    foreach(page kivprism kivprism-demo)
      add_custom_command(
        OUTPUT ${packaging_out}/${page}.1.gz
        COMMAND ${KIVPRISM_GZIP} -9nc ${linux_dir}/${page}.1 > ${packaging_out}/${page}.1.gz
        DEPENDS ${linux_dir}/${page}.1)
      list(APPEND packaging_outputs ${packaging_out}/${page}.1.gz)
      install(FILES ${packaging_out}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
  endif()
  # The manual page of the command-line tool, from its --help and --version (which a cross build
  # cannot run here).
  if(KIVPRISM_HELP2MAN AND TARGET kivprism-cli AND NOT CMAKE_CROSSCOMPILING)
    add_custom_command(
      OUTPUT ${packaging_out}/kivprism-cli.1.gz
      COMMAND ${KIVPRISM_HELP2MAN} --no-info --section=1 --source=kivprism
              "--name=configuration files and the KIVSOLANPRISM-F401 controller from the command line"
              --output=${packaging_out}/kivprism-cli.1 $<TARGET_FILE:kivprism-cli>
      COMMAND ${KIVPRISM_GZIP} -9nf ${packaging_out}/kivprism-cli.1
      DEPENDS kivprism-cli
      VERBATIM)
    list(APPEND packaging_outputs ${packaging_out}/kivprism-cli.1.gz)
    install(FILES ${packaging_out}/kivprism-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(STATUS "no help2man or a cross build: kivprism-cli gets no manual page (its --help stays)")
  endif()
  add_custom_target(kivprism_packaging_files ALL DEPENDS ${packaging_outputs})
endif()

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kivprism)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KIVPRISM_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration program for the KIVSOLANPRISM-F401 car controller")
# Debian wraps the long description at 80 columns; these lines stay below.
set(CPACK_PACKAGE_DESCRIPTION
    "kivprism finds the KIVSOLANPRISM-F401 car-electronics controller over
USB HID, reads its configuration and lets an installer edit every
parameter and the event and reaction rules, each change going to the
controller at once. It saves and loads configuration files, shows the
controller's monitoring text and CAN traffic, updates its firmware, and
speaks Russian and English.
.
The package holds the program (kivprism), the same window on a built-in
simulated controller (kivprism-demo), the command-line tool
(kivprism-cli) and a udev rule that opens the controller to the user at
the seat.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
configure_file(${debian_dir}/postinst.in ${packaging_out}/control/postinst @ONLY)
configure_file(${debian_dir}/postrm.in ${packaging_out}/control/postrm @ONLY)
file(CHMOD ${packaging_out}/control/postinst ${packaging_out}/control/postrm
     PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                 WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${packaging_out}/control/postinst
                                       ${packaging_out}/control/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
