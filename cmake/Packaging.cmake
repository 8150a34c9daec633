# The Debian package of what data/CMakeLists.txt installs: `cpack -G DEB` (or just `cpack`) in
# the build folder writes quillomat_<version>_<architecture>.deb there.

# The latest entry of data/doc/changelog is signed with the same name and address.
set(QUILLOMAT_PACKAGE_MAINTAINER "Quillomat developers <maintainers@quillomat.org>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillomat)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Quillomat developers")
set(CPACK_PACKAGE_CONTACT "${QUILLOMAT_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "comment links for the articles of a Skyblog blog")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillomat builds, for one article of a Skyblog blog, a short piece of the
service's bracket mark-up holding two links: one to add a comment to the
article and one to read its comments, with the captions, separator,
colours, bold and italic the author chooses. The code is copied to the
clipboard, ready to be pasted into the article.

The blog's administration pages open in a browser pane of the main window;
when the pane shows the page for editing an article, Quillomat recognises
the article and copies its code at once. The user interface is in French.")
# The package holds what the install rules name: the program and its data, never the tests.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLOMAT_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: the libraries the program links, computed by dpkg-shlibdeps (package dpkg-dev), after
# the packages named here: Wine's fonts, whose Tahoma metrics the windows' layouts are drawn for
# (without them, an install from the sources elsewhere, the program sizes a stand-in font to
# Tahoma's widths), and the French dictionary the browser pane checks spelling with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, hunspell-fr")

# `cpack --config CPackSourceConfig.cmake` packs the sources only: no build folder, no Git.
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build/" "/build-[^/]*/" "/_CPack_Packages/")

include(CPack)

if(BUILD_TESTING)
    # The package is made from a plain build, never from one with sanitizers, whose libraries it
    # would depend on: a sanitized build checks the package of the plain build it is given.
    set(QUILLOMAT_PACKAGE_FROM "" CACHE PATH "The plain build whose package the tests check")
    if(QUILLOMAT_PACKAGE_FROM)
        set(_quillomat_packaged "${QUILLOMAT_PACKAGE_FROM}")
    elseif(NOT QUILLOMAT_SANITIZE)
        set(_quillomat_packaged "${PROJECT_BINARY_DIR}")
    endif()
    if(DEFINED _quillomat_packaged)
        # Packs that build as it stands into a temporary folder (cpack first runs the build's own
        # up-to-date check, which has nothing to do after a build).
        add_test(NAME packaging.debian_package
            COMMAND "${PROJECT_SOURCE_DIR}/tests/desktop/debian_package_test.sh"
                "${CMAKE_CPACK_COMMAND}" "${_quillomat_packaged}/CPackConfig.cmake"
                "${CPACK_PACKAGE_NAME}" "${CPACK_PACKAGE_VERSION}")
    else()
        add_test(NAME packaging.debian_package
            COMMAND sh -c "echo 'Not packed: a sanitized build; give -DQUILLOMAT_PACKAGE_FROM=PLAIN_BUILD.'; exit 77")
        set_tests_properties(packaging.debian_package PROPERTIES SKIP_RETURN_CODE 77)
    endif()
    set_tests_properties(packaging.debian_package PROPERTIES LABELS packaging)
endif()
