# The install test: cmake --install into a temporary DESTDIR, the tree's layout, the menu entry
# and the AppStream metadata validated, then the installed tree used from another working folder
# with a per-user data folder of its own (tests/installed/checkinstalled.cpp).
# Run by CTest: cmake -DBUILD_DIR=... -DWORK=... -DCHECKER=... -DAPP_ID=... -DDESKTOP_VALIDATE=...
#               -DAPPSTREAMCLI=... -P installcheck.cmake
foreach(tool DESKTOP_VALIDATE APPSTREAMCLI)
  if(NOT EXISTS "${${tool}}")
    message(FATAL_ERROR "${tool} not found: install desktop-file-utils and appstream (scripts/setup-deps.sh does)")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root ${WORK}/elsewhere ${WORK}/home ${WORK}/data)
set(ENV{DESTDIR} ${WORK}/root)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
unset(ENV{DESTDIR})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()

# Exactly these files, nothing more (no settings folder, no build tools).
set(usr ${WORK}/root/usr)
set(expected
  bin/cifan bin/cifan-helpreader
  share/applications/${APP_ID}.desktop
  share/cifan/pic/chaxun.gif share/cifan/pic/lianxi.gif share/cifan/pic/logo.png
  share/cifan/pic/right.jpg share/cifan/pic/start.jpg share/cifan/pic/wrong.jpg
  share/cifan/pic/xuexi.gif
  share/cifan/帮助.chm
  share/metainfo/${APP_ID}.metainfo.xml)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
file(GLOB_RECURSE installed RELATIVE ${usr} ${usr}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " got "${installed}")
  string(REPLACE ";" "\n  " want "${expected}")
  message(FATAL_ERROR "installed tree differs:\n got:\n  ${got}\n expected:\n  ${want}")
endif()

# The menu entry and the metadata: valid, and saying what a menu and a software centre show.
set(desktop ${usr}/share/applications/${APP_ID}.desktop)
set(metainfo ${usr}/share/metainfo/${APP_ID}.metainfo.xml)
execute_process(COMMAND ${DESKTOP_VALIDATE} ${desktop} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${desktop}:\n${out}")
endif()
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --strict ${metainfo}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate ${metainfo}:\n${out}")
endif()
file(READ ${desktop} entry)
foreach(line "Name=词帆" "Exec=cifan" "Icon=${APP_ID}" "Categories=Education;Languages;" "Comment=[A-Za-z]"
             "Comment\\[zh_CN\\]=.")
  if(NOT entry MATCHES "\n${line}")
    message(FATAL_ERROR "${desktop} lacks a line ${line}:\n${entry}")
  endif()
endforeach()
file(READ ${metainfo} meta)
foreach(part "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>" "<screenshot[^>]*>"
             "<image>https://[^<]+</image>" "<description>[^<]*<p>" "<p xml:lang=\"zh-CN\">")
  if(NOT meta MATCHES "${part}")
    message(FATAL_ERROR "${metainfo} lacks ${part}")
  endif()
endforeach()

# The installed tree in use: the checker sits beside the installed executable, as the program
# finds its folders from its own, and runs from a working folder without a help file.
file(COPY ${CHECKER} DESTINATION ${usr}/bin)
get_filename_component(checker_name ${CHECKER} NAME)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${WORK}/data HOME=${WORK}/home QT_QPA_PLATFORM=offscreen
          ${usr}/bin/${checker_name}
  WORKING_DIRECTORY ${WORK}/elsewhere RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed tree in use:\n${out}")
endif()
file(REMOVE_RECURSE ${WORK})
message(STATUS "install layout, menu entry, metadata and installed use: ok")
