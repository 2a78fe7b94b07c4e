#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vrel {

// An ordered collection numbered from 1 in insertion order.
template <class T>
class NumberedCollection {
public:
    T& Append(std::shared_ptr<T> item);

    // Position 1 to Count; std::out_of_range otherwise.
    T& Item(int position) const;
    int Count() const { return static_cast<int>(items_.size()); }
    // The item at `from` goes to `to` (both 1 to Count); the items between close up behind it.
    void Move(int from, int to);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    struct Slot {
        std::shared_ptr<T> Item;
    };
    std::vector<Slot> items_;
};

// One member of an archive: its path inside the archive as start-up lists it (lower case, whole,
// backslashes).
struct FileInDat {
    std::string FullPath;
};

class FileInDat_Collection {
public:
    FileInDat& Add(std::string fullPath);
    FileInDat& Item(int position) const { return items_.Item(position); }
    int Count() const { return items_.Count(); }

    // Iteration in order; each element is a slot whose `Item` is the FileInDat.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    NumberedCollection<FileInDat> items_;
};

// One mod archive of the catalogue. Its member collection is shared, not copied: names added to
// the collection given to Add are seen through the new item.
struct FalloutDat {
    std::int32_t Index = 0;
    std::int32_t FilesTotal = 0;
    // As the file system names it: a narrow string would not name it again on Windows.
    std::filesystem::path FullPath;
    bool Selected = false;
    std::string ModDesc;  // Windows-1252 text
    std::shared_ptr<vrel::FileInDat_Collection> Files =
        std::make_shared<vrel::FileInDat_Collection>();
};

class FalloutDat_Collection {
public:
    FalloutDat& Add(std::int32_t index, std::int32_t filesTotal,
                    const std::filesystem::path& fullPath, bool selected,
                    const std::string& modDescription, std::shared_ptr<FileInDat_Collection> files);
    FalloutDat& Item(int position) const { return items_.Item(position); }
    int Count() const { return items_.Count(); }
    void Move(int from, int to) { items_.Move(from, to); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    NumberedCollection<FalloutDat> items_;
};

}  // namespace vrel
