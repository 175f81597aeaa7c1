// The Qt headers most of the Qt sources include: compiled once, shared by every Qt
// target of the build (cmake/shared_qt_headers.cmake).
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>
