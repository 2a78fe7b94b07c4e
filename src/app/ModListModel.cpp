#include "app/ModListModel.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QMimeData>

#include "base/AnsiText.h"

namespace vrel {
namespace {

// "<program id>:<list id>:<row>".
const QString kRowFormat = QStringLiteral("application/x-vrel-mod-row");

}  // namespace

ModListModel::ModListModel(const ModList& mods, std::function<void(int row, bool ticked)> tick,
                           QObject* parent)
    : QAbstractListModel(parent), mods_(mods), tick_(std::move(tick)) {}

int ModListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : mods_.Count();
}

QString ModListModel::Damage(int row) const {
    const auto& problem = mods_.Row(row).Damage;
    if (!problem) {
        return {};
    }
    return QStringLiteral(
               "Damaged: Vrel could only read part of it (%1). Get a good copy of it before you "
               "play with it.")
        .arg(QString::fromStdString(DescribeDatProblem(*problem)));
}

QVariant ModListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= mods_.Count()) {
        return {};
    }
    const int row = index.row() + 1;
    const QString name = QString::fromStdString(PathToDisplay(mods_.Row(row).Name));
    switch (role) {
        case Qt::DisplayRole:
            return name;
        case Qt::ToolTipRole: {  // a long name is cut at the list's edge
            const QString damage = Damage(row);
            return damage.isEmpty() ? name : name + QLatin1Char('\n') + damage;
        }
        case Qt::CheckStateRole:
            return static_cast<int>(mods_.Ticked(row) ? Qt::Checked : Qt::Unchecked);
        case Qt::ForegroundRole:
            return mods_.Row(row).Damage ? QVariant::fromValue(QBrush(QColor(150, 150, 150)))
                                         : QVariant();
        default:
            return {};
    }
}

bool ModListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= mods_.Count()) {
        return false;
    }
    const int row = index.row() + 1;
    const bool ticked = value.toInt() == Qt::Checked;
    if (ticked != mods_.Ticked(row)) {
        tick_(row, ticked);
        emit dataChanged(index, index, {Qt::CheckStateRole});
    }
    return true;
}

Qt::ItemFlags ModListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;  // a row may be dropped below the last
    }
    const Qt::ItemFlags rowFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                                   Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
    return index.row() == 0 ? rowFlags : rowFlags | Qt::ItemIsDragEnabled;
}

QByteArray ModListModel::Token() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(this), 16) + ':';
}

QStringList ModListModel::mimeTypes() const {
    return {kRowFormat};
}

QMimeData* ModListModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.size() != 1 || !indexes.front().isValid()) {
        return nullptr;
    }
    auto* dragged = new QMimeData;
    dragged->setData(kRowFormat, Token() + QByteArray::number(indexes.front().row()));
    return dragged;
}

Qt::DropActions ModListModel::supportedDropActions() const {
    return Qt::MoveAction | Qt::CopyAction;
}

std::optional<int> ModListModel::DraggedRow(const QMimeData* dragged) const {
    const QByteArray carried = dragged != nullptr ? dragged->data(kRowFormat) : QByteArray();
    const QByteArray token = Token();
    if (!carried.startsWith(token)) {
        return std::nullopt;
    }
    bool number = false;
    const int draggedRow = carried.mid(token.size()).toInt(&number);
    if (!number || draggedRow < 0 || draggedRow >= mods_.Count()) {
        return std::nullopt;
    }
    return draggedRow;
}

QString ModListModel::Description(int row) const {
    if (row < 1 || row > mods_.Count()) {
        return {};
    }
    const QString text = QString::fromStdString(AnsiToUtf8(mods_.Item(row).ModDesc));
    const QString damage = Damage(row);
    return damage.isEmpty() ? text : damage + QStringLiteral("\n\n") + text;
}

void ModListModel::MoveRow(int from, int to, const std::function<void()>& move) {
    // Qt names the row the moved one goes in front of, counted before the move.
    beginMoveRows({}, from - 1, from - 1, {}, to > from ? to : to - 1);
    move();
    endMoveRows();
}

void ModListModel::Refill(const std::function<void()>& refill) {
    beginResetModel();
    refill();
    endResetModel();
}

}  // namespace vrel
