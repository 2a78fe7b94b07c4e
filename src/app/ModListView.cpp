#include "app/ModListView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

#include "app/ModListModel.h"
#include "app/SkinImages.h"

namespace vrel {
namespace {

// The list is transparent over the skin's list screen, which the window paints.
const char* const kListStyle = R"(
QListView {
    border: none;
    background: transparent;
    color: #6cff8a;
    outline: none;
}
QListView:focus { border: 1px solid rgba(140, 255, 165, 170); }
QListView::item { padding: 1px 2px; border: 1px solid transparent; }
QListView::item:hover { background: rgba(90, 255, 130, 28); }
QListView::item:selected { background: rgba(90, 255, 130, 60); color: #d8ffe0;
                             border: 1px solid rgba(120, 255, 150, 110); }
QListView::indicator { width: 11px; height: 11px; }
QListView::indicator:unchecked { image: url(:/skins/check_off.png); }
QListView::indicator:checked { image: url(:/skins/check_on.png); }
QScrollBar:vertical { background: #0a1d0e; width: 10px; margin: 0; }
QScrollBar::handle:vertical { background: #2f8a45; min-height: 24px; border: 1px solid #0a1d0e; }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }
QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }
)";

}  // namespace

ModListView::ModListView(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDragDropOverwriteMode(false);
    setDropIndicatorShown(true);
    setFont(SkinFont(QStringLiteral("Tahoma"), 11));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setStyleSheet(QString::fromLatin1(kListStyle));
}

bool ModListView::DragsRowAt(const QPoint& point) const {
    const QModelIndex row = indexAt(point);
    return row.isValid() && (row.flags() & Qt::ItemIsDragEnabled) != 0;
}

std::optional<int> ModListView::DraggedRow(const QMimeData* dragged) const {
    const auto* rows = qobject_cast<const ModListModel*>(model());
    return rows != nullptr ? rows->DraggedRow(dragged) : std::nullopt;
}

int ModListView::RowBefore(const QPoint& point) const {
    const QModelIndex target = indexAt(point);
    if (!target.isValid()) {
        return model()->rowCount();
    }
    return target.row() + (point.y() >= visualRect(target).center().y() ? 1 : 0);
}

// The dragged row's name beside the pointer, below and to its right, on the list's dark green, so
// the line where it would land stays in sight.
void ModListView::startDrag(Qt::DropActions supportedActions) {
    const QModelIndex item = currentIndex();
    QMimeData* carried = item.isValid() ? model()->mimeData({item}) : nullptr;
    if (carried == nullptr) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(carried);
    const QSize size(viewport()->width() * 3 / 4, visualRect(item).height());
    QPixmap picture(size * devicePixelRatioF());
    picture.setDevicePixelRatio(devicePixelRatioF());
    picture.fill(QColor(10, 29, 14, 210));
    QPainter painter(&picture);
    painter.setFont(font());
    painter.setPen(QColor(0x6c, 0xff, 0x8a));
    painter.drawText(QRect(QPoint(4, 0), size), Qt::AlignLeft | Qt::AlignVCenter,
                     item.data().toString());
    painter.end();
    drag->setPixmap(picture);
    drag->setHotSpot(QPoint(-14, -6));
    drag->exec(supportedActions, Qt::MoveAction);
}

void ModListView::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedRow(event->mimeData())) {
        event->ignore();
        return;
    }
    QListView::dragEnterEvent(event);
    event->acceptProposedAction();
}

void ModListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!DraggedRow(event->mimeData())) {
        event->ignore();
        return;
    }
    QListView::dragMoveEvent(event);  // scrolls and shows where the row would go
    if (RowBefore(event->position().toPoint()) == 0) {
        event->ignore();  // the game's patch stays first
        return;
    }
    event->acceptProposedAction();
}

void ModListView::keyPressEvent(QKeyEvent* event) {
    // Alt+Up and Alt+Down move a mod; where it cannot move they do nothing, not move the cursor.
    if (event->modifiers() == Qt::AltModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        event->accept();
        return;
    }
    // The Menu key and Shift+F10 open the context menu at the current row, as a right click does.
    if ((event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier) ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        const QRect row = visualRect(currentIndex());
        const QPoint at = viewport()->mapTo(this, row.isValid() ? row.center() : QPoint(0, 0));
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
        QApplication::sendEvent(this, &menu);
        return;
    }
    QListView::keyPressEvent(event);
}

void ModListView::dropEvent(QDropEvent* event) {
    const std::optional<int> from = DraggedRow(event->mimeData());
    if (!from) {
        event->ignore();
        return;
    }
    const int before = RowBefore(event->position().toPoint());
    // The window moves the row itself: as a copy the drag leaves the dragged row where it is.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    emit DroppedBefore(*from, before);
}

}  // namespace vrel
