# The Debian package (cpack -G DEB, see scripts/deb.sh): its name and
# version come from the project; its dependencies are what dpkg-shlibdeps
# finds the programs link, and the dictionary and xdg-utils used at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME taviron)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Taviron developers <taviron@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of HTML source text for writing web pages by hand")
set(CPACK_PACKAGE_DESCRIPTION "Taviron is an editor of HTML source text. Markup is typed or inserted
through menus, tool bars and one dialog per element; a small site is kept up to
date with macros and include blocks, searched and replaced across files,
previewed in browsers and checked for spelling and broken links.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://taviron.github.io/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hunspell-en-us, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
