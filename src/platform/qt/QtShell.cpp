#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace vrel {

void QtShell::Open(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(address)));
}

}  // namespace vrel
