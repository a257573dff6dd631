# Qt's widget headers, parsed once per build: each target that compiles many
# files against Qt Widgets reuses this one precompiled header instead of
# reading the headers again for every file, which was about half of such a
# file's compile time.
file(WRITE ${CMAKE_BINARY_DIR}/qt_headers.cpp "// Builds the shared precompiled Qt headers.\n")
add_library(plotdesk_qt_headers OBJECT ${CMAKE_BINARY_DIR}/qt_headers.cpp)
target_link_libraries(plotdesk_qt_headers PRIVATE Qt6::Widgets)
target_precompile_headers(plotdesk_qt_headers PRIVATE
  <QAction>
  <QApplication>
  <QByteArray>
  <QDir>
  <QFile>
  <QImage>
  <QKeyEvent>
  <QLabel>
  <QLineEdit>
  <QList>
  <QMenu>
  <QObject>
  <QPainter>
  <QPushButton>
  <QString>
  <QStringList>
  <QTimer>
  <QWidget>
)

# The target compiles with the shared precompiled Qt headers. Its compile
# options must match those the header was built with (a mismatch is an
# invalid-pch warning, an error under PLOTDESK_WERROR).
function(plotdesk_use_qt_headers target)
  target_precompile_headers(${target} REUSE_FROM plotdesk_qt_headers)
endfunction()
