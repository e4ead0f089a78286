# cmake --install lays out a standard tree under the prefix, and CPack turns it into a Debian
# package (make package). The installed executable finds its program folder, share/cifan/,
# relative to its own folder, so any prefix works.
include(GNUInstallDirs)

# The desktop id names the menu entry, the icon and the AppStream metadata alike.
set(CIFAN_APP_ID org.example.cifan)
target_compile_definitions(cifan PRIVATE CIFAN_APP_ID="${CIFAN_APP_ID}")
set(CIFAN_DATA_DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/cifan)

# The help reader sits beside the program, where shell/chmfile.cpp starts it from.
install(TARGETS cifan cifan-helpreader RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(p ${CIFAN_PICTURES})
  install(FILES ${CMAKE_SOURCE_DIR}/pic/${p} DESTINATION ${CIFAN_DATA_DESTINATION}/pic)
endforeach()
if(DEFINED CIFAN_HELP_FILE)
  install(FILES ${CIFAN_HELP_FILE} DESTINATION ${CIFAN_DATA_DESTINATION})
endif()

set(CIFAN_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/cifan.desktop.in ${CIFAN_PACKAGING_DIR}/${CIFAN_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/cifan.metainfo.xml.in
               ${CIFAN_PACKAGING_DIR}/${CIFAN_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CIFAN_PACKAGING_DIR}/${CIFAN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${CIFAN_PACKAGING_DIR}/${CIFAN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
# The icon: the logo's boat, drawn at each size by pic/draw.py (pic/icons/<size>.png).
set(CIFAN_ICON_SIZES 16 24 32 48 64 128 256)
foreach(size ${CIFAN_ICON_SIZES})
  install(FILES ${CMAKE_SOURCE_DIR}/pic/icons/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${CIFAN_APP_ID}.png)
endforeach()

# The Debian package. Library dependencies come from dpkg-shlibdeps (Qt 6 widgets and D-Bus,
# chmlib); the CJK fonts the windows are drawn with and Qt's Chinese translations (the texts of
# Qt's own dialogs) are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cifan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "岚舟工作室")
set(CPACK_PACKAGE_CONTACT "cifan@example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese vocabulary trainer for the Standard Japanese elementary course")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "词帆 helps Chinese speakers learn the words of the elementary volumes of the
Standard Japanese textbook (标日初级): study a lesson's words, practise them
by typing the kana or recalling the Chinese meaning, and look words up by
meaning, kana or kanji.
.
词帆帮助说汉语的学习者按课学习、练习和查询《标准日本语》初级的单词。")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "岚舟工作室 <cifan@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://cifan.example.org)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The learning record is an SQLite database read through Qt's QSQLITE driver, a plugin that
# the shared-library scan cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n, libqt6sql6-sqlite")
# xdg-screensaver is the rest reminder's second way to start the screen saver.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
