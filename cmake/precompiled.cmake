# Build speed: nearly all of a source's compile time goes into parsing the Qt headers, so each
# library and each test group compiles the headers its sources use most once, as a precompiled
# header. The lists are what the sources include often; a source still includes what it uses.
set(CIFAN_LOGIC_PCH
  <QString> <QStringList> <QList> <QHash> <QColor> <QFont> <QFile> <QFileInfo> <QDir>
  <algorithm> <functional> <optional>)
set(CIFAN_WIDGETS_PCH ${CIFAN_LOGIC_PCH}
  <QWidget> <QApplication> <QLabel> <QPushButton> <QRadioButton> <QListWidget> <QLineEdit> <QFrame>
  <QGroupBox> <QMenu> <QMouseEvent> <QKeyEvent> <QPainter> <QPointer> <QTimer>)

# A precompiled header is never byte-for-byte the same twice, so ccache is told to look at what
# it provides instead (its sloppiness settings for precompiled headers); sources that include
# an unchanged one still come from the cache.
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache$")
  set(CMAKE_CXX_COMPILER_LAUNCHER env CCACHE_SLOPPINESS=pch_defines,time_macros ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

# lld links the test and program executables several times faster than the default linker.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld CIFAN_HAVE_LLD)
if(CIFAN_HAVE_LLD)
  add_link_options(-fuse-ld=lld)
endif()
