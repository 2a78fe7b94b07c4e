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

#include "app/SkinImages.h"

namespace vrel {
namespace {

// "<program id>:<list id>:<row>": a drag from another list or another program is no row move.
const QString kRowFormat = QStringLiteral("application/x-vrel-mod-row");

// The list is transparent over the skin's list screen, which the window paints.
const char* const kListStyle = R"(
QListWidget {
    border: none;
    background: transparent;
    color: #6cff8a;
    outline: none;
}
QListWidget:focus { border: 1px solid rgba(140, 255, 165, 170); }
QListWidget::item { padding: 1px 2px; border: 1px solid transparent; }
QListWidget::item:hover { background: rgba(90, 255, 130, 28); }
QListWidget::item:selected { background: rgba(90, 255, 130, 60); color: #d8ffe0;
                             border: 1px solid rgba(120, 255, 150, 110); }
QListWidget::indicator { width: 11px; height: 11px; }
QListWidget::indicator:unchecked { image: url(:/skins/check_off.png); }
QListWidget::indicator:checked { image: url(:/skins/check_on.png); }
QScrollBar:vertical { background: #0a1d0e; width: 10px; margin: 0; }
QScrollBar::handle:vertical { background: #2f8a45; min-height: 24px; border: 1px solid #0a1d0e; }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }
QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }
)";

}  // namespace

ModListView::ModListView(QWidget* parent) : QListWidget(parent) {
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
    const QListWidgetItem* row = itemAt(point);
    return row != nullptr && (row->flags() & Qt::ItemIsDragEnabled) != 0;
}

QByteArray ModListView::Token() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(this), 16) + ':';
}

QStringList ModListView::mimeTypes() const {
    return {kRowFormat};
}

QMimeData* ModListView::mimeData(const QList<QListWidgetItem*>& items) const {
    if (items.size() != 1) {
        return nullptr;
    }
    auto* dragged = new QMimeData;
    dragged->setData(kRowFormat, Token() + QByteArray::number(row(items.front())));
    return dragged;
}

std::optional<int> ModListView::DraggedRow(const QMimeData* dragged) const {
    const QByteArray carried = dragged != nullptr ? dragged->data(kRowFormat) : QByteArray();
    const QByteArray token = Token();
    if (!carried.startsWith(token)) {
        return std::nullopt;
    }
    bool number = false;
    const int draggedRow = carried.mid(token.size()).toInt(&number);
    if (!number || draggedRow < 0 || draggedRow >= count()) {
        return std::nullopt;
    }
    return draggedRow;
}

int ModListView::RowBefore(const QPoint& point) const {
    const QListWidgetItem* target = itemAt(point);
    if (target == nullptr) {
        return count();
    }
    return row(target) + (point.y() >= visualItemRect(target).center().y() ? 1 : 0);
}

// The dragged row's name beside the pointer, below and to its right, on the list's dark green, so
// the line where it would land stays in sight.
void ModListView::startDrag(Qt::DropActions supportedActions) {
    QListWidgetItem* item = currentItem();
    QMimeData* carried = item != nullptr ? mimeData({item}) : nullptr;
    if (carried == nullptr) {
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(carried);
    const QSize size(viewport()->width() * 3 / 4, visualItemRect(item).height());
    QPixmap picture(size * devicePixelRatioF());
    picture.setDevicePixelRatio(devicePixelRatioF());
    picture.fill(QColor(10, 29, 14, 210));
    QPainter painter(&picture);
    painter.setFont(font());
    painter.setPen(QColor(0x6c, 0xff, 0x8a));
    painter.drawText(QRect(QPoint(4, 0), size), Qt::AlignLeft | Qt::AlignVCenter, item->text());
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
    QListWidget::dragEnterEvent(event);
    event->acceptProposedAction();
}

void ModListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!DraggedRow(event->mimeData())) {
        event->ignore();
        return;
    }
    QListWidget::dragMoveEvent(event);  // scrolls and shows where the row would go
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
        const QRect row = visualItemRect(currentItem());
        const QPoint at = viewport()->mapTo(this, row.isValid() ? row.center() : QPoint(0, 0));
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
        QApplication::sendEvent(this, &menu);
        return;
    }
    QListWidget::keyPressEvent(event);
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
