# The Debian package, made by CPack from the install rules: `cpack -G DEB` in
# the build folder, or scripts/package.sh. Its version is the project's.
set(TE_PACKAGE_MAINTAINER "The Team Editor developers <team-editor@example.org>")

set(CPACK_PACKAGE_NAME team-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Team Editor developers")
set(CPACK_PACKAGE_CONTACT ${TE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "roster editor for fantasy sports board game teams")
set(CPACK_PACKAGE_DESCRIPTION
    "Team Editor keeps the roster of a team of a fantasy sports board game as a
web page: the team's name, race and coach, up to sixteen players with their
characteristics, skills, injuries, statistics and value, the team's re-rolls,
fan factor, staff and money, and the matches it played. It reads such a page
from a file or over HTTP, shows the roster in one window for editing, and
writes a page with the chosen colours and fonts.
.
The command-line companion team-editor-cli reads, fetches, checks and converts
many roster pages at once, for league administrators.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

# One package of everything installed without a component of its own and of the
# programs where the section games places them.
set(CPACK_COMPONENTS_ALL Unspecified games)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window icon is an SVG resource: Qt draws it through the SVG image plugin,
# which the programs load at run time and so no library dependency names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Menus and software centres pick up the new desktop entry and icon through
# the triggers of desktop-file-utils and the icon theme; no scripts of our own.

include(CPack)
