#pragma once

#include <QAbstractListModel>
#include <functional>
#include <optional>

#include "state/ModList.h"

class QMimeData;

namespace vrel {

// The mod list as the list window shows it: one row a mod, with its archive's name as display
// text (whole in its tooltip) and its tick. It holds nothing of its own: every row is read from
// the mod list, and a tick the player gives goes to `tick` (rows counted from 1), which changes
// the list. A damaged archive's row is greyed, and its tooltip says what is wrong. Every row but
// the game's patch in the first can be dragged to another place.
class ModListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    ModListModel(const ModList& mods, std::function<void(int row, bool ticked)> tick,
                 QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override;

    // The row (from 0) a drag of this very list carries, if the drag is one: a drag from another
    // list or another program is no row move.
    std::optional<int> DraggedRow(const QMimeData* dragged) const;

    // What the description panel shows for a row (from 1): what is wrong with a damaged archive
    // first, then the mod's own description.
    QString Description(int row) const;

    // The rows follow a change of the mod list: `move` moves row `from` to `to` (from 1), `refill`
    // makes the list anew.
    void MoveRow(int from, int to, const std::function<void()>& move);
    void Refill(const std::function<void()>& refill);

private:
    QByteArray Token() const;
    QString Damage(int row) const;

    const ModList& mods_;
    std::function<void(int row, bool ticked)> tick_;
};

}  // namespace vrel
