# What `make package` installs and how CPack wraps it into a Debian package: the two programs,
# the report templates (found by the installed programs in <prefix>/share/tavlen/templates),
# the desktop entry, the hicolor icons drawn by tavlen-icons, the AppStream metadata, the
# manual pages help2man writes from --help and --version, the copyright file and the Debian
# changelog and the user manual. The icons and manual pages are made at build time only with TAVLEN_PACKAGE ON.
include(GNUInstallDirs)

install(TARGETS tavlen tavlen-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Every command tavlen-cli does not run itself: found by tavlen-cli in ../libexec/tavlen.
install(TARGETS tavlen-cli-full RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tavlen)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/templates/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tavlen/templates)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/tavlen.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PROJECT_SOURCE_DIR}/data/desktop/tavlen.metainfo.xml
               ${PROJECT_BINARY_DIR}/package/tavlen.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/tavlen.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/tavlen.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavlen)
# The user manual, which 帮助主题 opens where the school folder has no tavlen.chm; its
# screenshots are remade from the demo school by scripts/manual-screenshots.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavlen/manual)

if(NOT TAVLEN_PACKAGE)
    return()
endif()

set(_package_dir ${PROJECT_BINARY_DIR}/package)

# The icons: the mark the tool bar shows, at every hicolor size.
set(_icon_sizes 16 22 24 32 48 64 128 256)
set(_icon_files)
foreach(_size ${_icon_sizes})
    list(APPEND _icon_files ${_package_dir}/icons/${_size}.png)
    install(FILES ${_package_dir}/icons/${_size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
            RENAME tavlen.png)
endforeach()
add_custom_command(OUTPUT ${_icon_files}
    COMMAND tavlen-icons ${_package_dir}/icons ${_icon_sizes}
    DEPENDS tavlen-icons
    COMMENT "Drawing the hicolor icons")

# The manual pages, from each program's own --help and --version.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)
set(_man_files)
foreach(_program tavlen tavlen-cli)
    if(_program STREQUAL "tavlen")
        set(_name "timetabling for a secondary school")
    else()
        set(_name "the command line of the tavlen timetabling program")
    endif()
    set(_man ${_package_dir}/man/${_program}.1)
    add_custom_command(OUTPUT ${_man}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${_package_dir}/man
        COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${HELP2MAN} -DGZIP=${GZIP}
                -DPROGRAM=$<TARGET_FILE:${_program}> "-DNAME=${_name}" -DOUTPUT=${_man}.gz
                -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        DEPENDS ${_program} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        COMMENT "Writing the manual page ${_program}(1)")
    list(APPEND _man_files ${_man}.gz)
endforeach()
install(FILES ${_man_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian changelog, compressed as Debian policy asks.
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog ${_package_dir}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${_package_dir}/changelog.Debian.gz
    COMMAND ${GZIP} -9nkf ${_package_dir}/changelog.Debian
    DEPENDS ${_package_dir}/changelog.Debian
    COMMENT "Compressing the Debian changelog")
install(FILES ${_package_dir}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavlen)
# lintian's overrides: the package is not uploaded to Debian, so no bug report (ITP) exists
# for its first changelog entry to close.
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tavlen)

add_custom_target(tavlen_package_data ALL DEPENDS ${_icon_files} ${_man_files}
                                                  ${_package_dir}/changelog.Debian.gz)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavlen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "tavlen 开发组 <tavlen@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timetabling for a secondary school")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "tavlen keeps the course plans of a Chinese secondary school of six grades and\n"
    "arranges their weekly timetables of five days and seven periods, with the\n"
    "teachers, the morning and evening duty rosters and the teachers' attendance.\n"
    "It prints and publishes the timetables, and tavlen-cli does the same from the\n"
    "command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "tavlen 开发组 <tavlen@example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/tavlen")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so shlibdeps cannot see them: the SQLite3 ODBC driver and its
# registration, the Chinese typeface, Qt's platform plugins and its Chinese translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsqliteodbc, odbcinst, fonts-noto-cjk, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "odbc-postgresql")
set(CPACK_DEBIAN_PACKAGE_GENERATE_MD5SUMS ON)
include(CPack)
