# The Debian package (`./dev package`): what `cmake --install` lays out, under /usr, with the
# libraries it needs computed from the binaries and the Japanese font the windows draw with.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvy-preferences)
set(CPACK_PACKAGE_VERSION 1.4.0)
set(CPACK_PACKAGE_VENDOR MOZELT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(ZORVY_PACKAGE_MAINTAINER "Zorvy developers <zorvy-developers@example.org>" CACHE STRING
	"The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZORVY_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-vlgothic")
# Packed relocations need a dynamic linker that reads them (glibc 2.36); the computed
# dependencies follow the symbols used and miss it.
if(BEAPI_LINKER_PACKS_RELOCS)
	string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libc6 (>= 2.36)")
endif()
# CPack indents the lines below the summary and marks the empty one as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "settings of the Zorvy Japanese input method
Zorvy Preferences (Zorvy 環境設定) is the window in which a person sets
how the Zorvy kana-kanji input method behaves, on its Input, Input assist
and Punctuation conversion pages. Every change reaches the running input
method at once.

The package also holds MOZELT Common Preferences, the preferences shared
by the maker's applications, and the command-line programs zorvy-prefs
(every setting from a shell), appsend, msgdump, portlisten and portsend.")
include(CPack)
