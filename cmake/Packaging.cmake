# The Debian package: `cpack -G DEB` in the build directory makes
# varnel_<version>_amd64.deb from what `cmake --install` puts in place, plus
# the two files Debian asks of every package (installed only into it). Being
# Debian's own package of its program (native), its changelog is changelog.gz.
set(VARNEL_MAINTAINER "Varnel maintainers <maintainers@users.noreply.c-seed-34a7a9df.example>")

# The package's changelog must speak of the version it packages.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog VARNEL_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT VARNEL_CHANGELOG_TOP MATCHES "^varnel \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR
        "packaging/changelog starts with '${VARNEL_CHANGELOG_TOP}': add an entry for ${PROJECT_VERSION}")
endif()
set(VARNEL_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${VARNEL_CHANGELOG_GZ}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/packaging/changelog
            ${VARNEL_CHANGELOG_GZ}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(varnel_changelog ALL DEPENDS ${VARNEL_CHANGELOG_GZ})

set(VARNEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/varnel)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${VARNEL_DOC_DIR}
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${VARNEL_CHANGELOG_GZ} DESTINATION ${VARNEL_DOC_DIR} RENAME changelog.gz
        COMPONENT debian EXCLUDE_FROM_ALL)
# Everything `cmake --install` installs, then the package's own files.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/"
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VENDOR "Varnel maintainers")
set(CPACK_PACKAGE_CONTACT ${VARNEL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tree of shortcuts to files and folders, kept in the tray")
set(CPACK_PACKAGE_DESCRIPTION
    "Varnel lives in the system tray and keeps your own tree of shortcuts to files\n"
    "and folders. Drag folders and files onto the tree from its small file browser\n"
    "or from your file manager, name and arrange them as you like, and open any of\n"
    "them with a double click. Up to 64 favourites go on a Quick List in the tray\n"
    "icon's menu, so they open without showing the window at all.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VARNEL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
