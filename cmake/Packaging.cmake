# The Debian package built by `make package` (CPack, DEB generator): the program in /usr/bin with its menu entry,
# icons and software-centre listing, Debian's copyright file and changelog, and the dependencies that dpkg-shlibdeps
# finds in the program plus the Qt pieces it loads at run time.
include(${CMAKE_CURRENT_LIST_DIR}/InstallGzipped.cmake)

set(debian_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/varnoth)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${debian_doc_dir})
varnoth_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/changelog ${debian_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnoth)
set(CPACK_PACKAGE_VENDOR "Varnoth developers")
set(CPACK_PACKAGE_CONTACT "Varnoth developers <packages@varnoth.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.varnoth.example/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sort files into folders by name, type, size, date or picture size")
# Debian wraps the long description at 80 columns, so the text keeps its own line breaks.
set(CPACK_PACKAGE_DESCRIPTION
    "Varnoth is a desktop program that sorts a list of files into folders. The
files are chosen one by one, dropped from the file manager, gathered from a
folder or read from a saved list. Each file that meets the chosen criterion is
copied or moved into a sub-folder named after it: a keyword in the file name, a
shared name, the file type, a size limit, a modification date, or the width or
height of a picture.
.
A copy is written to a temporary file and takes its name only once it is
complete, and a move deletes the source only after its copy is on the disk.
The window and the command line speak Chinese or English, after the user's
language.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries the program links come from dpkg-shlibdeps: Qt, and the media libraries that read pictures'
# taken dates and HEIF sizes (libexiv2-27, libheif1). Qt loads two more things at run time that no
# link shows: the TIFF reader among the image-format plugins, and Qt's own translations of its dialogs' texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, qt6-translations-l10n")
# Chinese texts need a CJK font; a desktop usually has one already.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)

include(CPack)
