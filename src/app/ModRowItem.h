#pragma once

#include <QString>
#include <filesystem>
#include <string>

class QListWidgetItem;

namespace vrel {

// A row of the mod list: it shows the archive's name as display text, with the whole name in its
// tooltip, and keeps it as the file system has it. Every row but the game's patch in the first
// can be dragged to another place.
QListWidgetItem* NewModItem(const std::filesystem::path& fileName, bool patch);

// The archive's file name that a row stands for.
std::filesystem::path ModItemFileName(const QListWidgetItem* item);

// Greys the row of an archive that could be read only in part; its tooltip says what is wrong.
void MarkDamagedItem(QListWidgetItem* item, const std::string& problem);

// What the description panel shows for a row: what is wrong with a damaged archive first, then
// the mod's own description.
QString ModItemDescription(const QListWidgetItem* item, const std::string& modDesc);

}  // namespace vrel
