#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vrel {

// An ordered collection numbered from 1 in insertion order, where an item may also carry a
// unique text key. The program adds without keys, so every lookup it makes is by position.
template <class T>
class KeyedCollection {
public:
    // Appends the item; a non-empty key must not be present yet (std::invalid_argument).
    T& Append(std::shared_ptr<T> item, const std::string& key);

    // Position 1 to Count; std::out_of_range otherwise (a key that is not present likewise).
    T& Item(int position) const;
    T& Item(const std::string& key) const;
    int Count() const { return static_cast<int>(items_.size()); }
    void Remove(int position);
    void Remove(const std::string& key);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    struct Slot {
        std::shared_ptr<T> item;
        std::string key;
    };
    std::vector<Slot> items_;
};

// One member of an archive: its path inside the archive as start-up lists it (lower case, at
// most 40 characters, backslashes).
struct FileInDat {
    std::string FullPath;
};

class FileInDat_Collection {
public:
    FileInDat& Add(std::string fullPath, const std::string& sKey = {});
    FileInDat& Item(int position) const { return items_.Item(position); }
    FileInDat& Item(const std::string& key) const { return items_.Item(key); }
    int Count() const { return items_.Count(); }
    void Remove(int position) { items_.Remove(position); }
    void Remove(const std::string& key) { items_.Remove(key); }

    // Iteration in order; each element is a slot whose `item` is the FileInDat.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    KeyedCollection<FileInDat> items_;
};

// One mod archive of the catalogue. Its member collection is shared, not copied: names added to
// the collection given to Add are seen through the new item.
struct FalloutDat {
    std::int32_t Index = 0;
    std::int32_t FilesTotal = 0;
    std::string FullPath;
    bool Selected = false;
    std::string ModDesc;  // Windows-1252 text
    std::shared_ptr<vrel::FileInDat_Collection> Files =
        std::make_shared<vrel::FileInDat_Collection>();
};

class FalloutDat_Collection {
public:
    FalloutDat& Add(std::int32_t index, std::int32_t filesTotal, const std::string& fullPath,
                    bool selected, const std::string& modDescription,
                    std::shared_ptr<FileInDat_Collection> files, const std::string& sKey = {});
    FalloutDat& Item(int position) const { return items_.Item(position); }
    FalloutDat& Item(const std::string& key) const { return items_.Item(key); }
    int Count() const { return items_.Count(); }
    void Remove(int position) { items_.Remove(position); }
    void Remove(const std::string& key) { items_.Remove(key); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    KeyedCollection<FalloutDat> items_;
};

}  // namespace vrel
