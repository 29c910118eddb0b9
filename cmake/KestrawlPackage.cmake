# A Debian package of what `cmake --install` lays out under /usr: the
# programs, their data files, the desktop entry, icon, metadata and manual
# pages. The dependencies are those dpkg-shlibdeps finds for the executables.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrawl)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kestrawl developers <kestrawl@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word frequency counter for text and DOCX files")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Kestrawl counts how often each different word occurs in a text and lists\n"
  "every word with its frequency. The text comes from a plain text file\n"
  "(Windows-1252 or UTF-8, with HTML, XML and PHP markup skipped), a DOCX\n"
  "document, or the clipboard. Settings decide what counts as a word and which\n"
  "words are ignored (common words of six languages, a list of one's own,\n"
  "short, long or infrequent words); the list comes by frequency or\n"
  "alphabetically, in the window and in a file that a spreadsheet imports.\n"
  "\n"
  "The package holds the Qt window, kestrawl, and the command-line companion\n"
  "kestrawl-count.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
