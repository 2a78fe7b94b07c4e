#include "archive/Catalogue.h"

#include <algorithm>
#include <stdexcept>

namespace vrel {

template <class T>
T& KeyedCollection<T>::Append(std::shared_ptr<T> item, const std::string& key) {
    if (!key.empty() &&
        std::any_of(items_.begin(), items_.end(), [&](const Slot& s) { return s.key == key; })) {
        throw std::invalid_argument("key already present: " + key);
    }
    items_.push_back(Slot{std::move(item), key});
    return *items_.back().item;
}

template <class T>
T& KeyedCollection<T>::Item(int position) const {
    if (position < 1 || position > Count()) {
        throw std::out_of_range("no item at position " + std::to_string(position));
    }
    return *items_[static_cast<std::size_t>(position - 1)].item;
}

template <class T>
T& KeyedCollection<T>::Item(const std::string& key) const {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const Slot& s) { return !key.empty() && s.key == key; });
    if (found == items_.end()) {
        throw std::out_of_range("no item with key " + key);
    }
    return *found->item;
}

template <class T>
void KeyedCollection<T>::Remove(int position) {
    Item(position);
    items_.erase(items_.begin() + (position - 1));
}

template <class T>
void KeyedCollection<T>::Remove(const std::string& key) {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const Slot& s) { return !key.empty() && s.key == key; });
    if (found == items_.end()) {
        throw std::out_of_range("no item with key " + key);
    }
    items_.erase(found);
}

template class KeyedCollection<FileInDat>;
template class KeyedCollection<FalloutDat>;

FileInDat& FileInDat_Collection::Add(std::string fullPath, const std::string& sKey) {
    return items_.Append(std::make_shared<FileInDat>(FileInDat{std::move(fullPath)}), sKey);
}

FalloutDat& FalloutDat_Collection::Add(std::int32_t index, std::int32_t filesTotal,
                                       const std::string& fullPath, bool selected,
                                       const std::string& modDescription,
                                       std::shared_ptr<FileInDat_Collection> files,
                                       const std::string& sKey) {
    auto dat = std::make_shared<FalloutDat>();
    dat->Index = index;
    dat->FilesTotal = filesTotal;
    dat->FullPath = fullPath;
    dat->Selected = selected;
    dat->ModDesc = modDescription;
    dat->Files = files ? std::move(files) : std::make_shared<FileInDat_Collection>();
    return items_.Append(std::move(dat), sKey);
}

}  // namespace vrel
