#include "app/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace vrel {
namespace {

const char* const kDragMode = "vrelDragMode";
enum DragMode { FromPress = 1, FromDrag = 2 };

}  // namespace

WindowDrag::WindowDrag(QWidget* window) : QObject(window), window_(window) {}

void WindowDrag::MoveFromPress(QWidget* area) {
    area->setProperty(kDragMode, FromPress);
    area->installEventFilter(this);
}

void WindowDrag::MoveFromDrag(QWidget* area, std::function<bool(const QPoint&)> areaDrags) {
    area->setProperty(kDragMode, FromDrag);
    if (areaDrags) {
        areaDrags_[area] = std::move(areaDrags);
    }
    area->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    const int mode = watched->property(kDragMode).toInt();
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* press = static_cast<QMouseEvent*>(event);
            const auto drags = areaDrags_.find(watched);
            if (drags != areaDrags_.end() && drags->second(press->position().toPoint())) {
                pressedOn_ = nullptr;
                return false;
            }
            pressedOn_ = watched;
            pressPosition_ = press->globalPosition().toPoint();
            moving_ = false;
            following_ = false;
            if (mode == FromPress) {
                Start(pressPosition_);
                return true;
            }
            return false;
        }
        case QEvent::MouseMove: {
            auto* move = static_cast<QMouseEvent*>(event);
            if (pressedOn_ != watched || move->buttons() == Qt::NoButton) {
                return false;
            }
            const QPoint global = move->globalPosition().toPoint();
            if (!moving_ &&
                (global - pressPosition_).manhattanLength() >= QApplication::startDragDistance()) {
                Start(pressPosition_);
            }
            if (following_) {
                window_->move(global - grabOffset_);
            }
            return moving_;
        }
        case QEvent::MouseButtonRelease: {
            const bool wasMoving = moving_ && pressedOn_ == watched;
            if (pressedOn_ == watched) {
                pressedOn_ = nullptr;
                moving_ = false;
                following_ = false;
            }
            return wasMoving;
        }
        default:
            return false;
    }
}

void WindowDrag::Start(const QPoint& globalPosition) {
    moving_ = true;
    emit MoveStarted();
    QWindow* handle = window_->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        return;
    }
    following_ = true;
    grabOffset_ = globalPosition - window_->pos();
}

}  // namespace vrel
