#include "app/ModRowItem.h"

#include <QListWidgetItem>

#include "base/AnsiText.h"

namespace vrel {
namespace {

constexpr int kFileNameRole = Qt::UserRole + 2;
constexpr int kDamageRole = Qt::UserRole + 3;

}  // namespace

QListWidgetItem* NewModItem(const std::filesystem::path& fileName, bool patch) {
    auto* item = new QListWidgetItem(QString::fromStdString(PathToDisplay(fileName)));
    item->setData(kFileNameRole, QVariant::fromValue(fileName));
    item->setToolTip(item->text());  // a long name is cut at the list's edge
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    item->setFlags(patch ? flags : flags | Qt::ItemIsDragEnabled);
    return item;
}

std::filesystem::path ModItemFileName(const QListWidgetItem* item) {
    return item->data(kFileNameRole).value<std::filesystem::path>();
}

void MarkDamagedItem(QListWidgetItem* item, const std::string& problem) {
    const QString damage = QStringLiteral(
                               "Damaged: Vrel could only read part of it (%1). Get a "
                               "good copy of it before you play with it.")
                               .arg(QString::fromStdString(problem));
    item->setData(kDamageRole, damage);
    item->setForeground(QColor(150, 150, 150));
    item->setToolTip(item->text() + QLatin1Char('\n') + damage);
}

QString ModItemDescription(const QListWidgetItem* item, const std::string& modDesc) {
    const QString text = QString::fromStdString(AnsiToUtf8(modDesc));
    if (item == nullptr || !item->data(kDamageRole).isValid()) {
        return text;
    }
    return item->data(kDamageRole).toString() + QStringLiteral("\n\n") + text;
}

}  // namespace vrel
