#pragma once

#include <QListView>
#include <optional>

namespace vrel {

// The mod list's window, a view of the mod list (through ModListModel): the player drags a mod's
// row to another place. The list moves nothing itself: it asks, and the main window moves the mod.
// Only rows that the list lets be dragged (not the game's patch) start a drag; drops from elsewhere
// (files from a file manager) pass on to the window. It wears the skin's look: transparent over the
// list screen the window paints, green text, the skin's tick boxes.
class ModListView final : public QListView {
    Q_OBJECT

public:
    explicit ModListView(QWidget* parent);

    // Whether a press at `point` of the viewport lies on a row that can be dragged.
    bool DragsRowAt(const QPoint& point) const;

signals:
    // Rows count from 0; `before` is the row the dragged one is dropped in front of, or the row
    // count when it is dropped below the last.
    void DroppedBefore(int from, int before);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The row a drag of this very list carries, if the drag is one.
    std::optional<int> DraggedRow(const QMimeData* dragged) const;
    // The row a drop at `point` of the viewport puts the dragged one in front of.
    int RowBefore(const QPoint& point) const;
};

}  // namespace vrel
