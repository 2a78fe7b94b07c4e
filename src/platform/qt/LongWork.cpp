#include "platform/qt/LongWork.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <exception>
#include <thread>

namespace vrel {

void PaintDuringWork() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void RunPainting(const std::function<void()>& work) {
    std::exception_ptr failure;
    QEventLoop waiting;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace vrel
