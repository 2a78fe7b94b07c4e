#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <map>

class QWidget;

namespace vrel {

// Lets the user move a borderless window by its body. The window system's own move is started
// (it works alike on Windows, X11 and Wayland); where the platform has none, the window follows
// the pointer until the button is released.
class WindowDrag final : public QObject {
    Q_OBJECT

public:
    explicit WindowDrag(QWidget* window);

    // A press on `area` starts the move at once.
    void MoveFromPress(QWidget* area);
    // The move starts once the pressed pointer has travelled the platform's drag distance, so
    // that `area` still gets plain clicks (a list whose items are clicked and ticked). A press
    // where `areaDrags` says the area drags something of its own (a row of a list) is left to it.
    void MoveFromDrag(QWidget* area, std::function<bool(const QPoint&)> areaDrags = {});

signals:
    void MoveStarted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Start(const QPoint& globalPosition);

    QWidget* window_;
    std::map<const QObject*, std::function<bool(const QPoint&)>> areaDrags_;
    QPointer<QObject> pressedOn_;
    QPoint pressPosition_;
    bool following_ = false;  // moving by hand: the platform has no move of its own
    bool moving_ = false;
    QPoint grabOffset_;
};

}  // namespace vrel
