#include "archive/Catalogue.h"

#include <algorithm>
#include <stdexcept>

namespace vrel {

template <class T>
T& NumberedCollection<T>::Append(std::shared_ptr<T> item) {
    items_.push_back(Slot{std::move(item)});
    return *items_.back().Item;
}

template <class T>
T& NumberedCollection<T>::Item(int position) const {
    if (position < 1 || position > Count()) {
        throw std::out_of_range("no item at position " + std::to_string(position));
    }
    return *items_[static_cast<std::size_t>(position - 1)].Item;
}

template <class T>
void NumberedCollection<T>::Move(int from, int to) {
    if (from < 1 || from > Count() || to < 1 || to > Count()) {
        throw std::out_of_range("no move from " + std::to_string(from) + " to " +
                                std::to_string(to));
    }
    const auto begin = items_.begin();
    if (from < to) {
        std::rotate(begin + (from - 1), begin + from, begin + to);
    } else {
        std::rotate(begin + (to - 1), begin + (from - 1), begin + from);
    }
}

template class NumberedCollection<FileInDat>;
template class NumberedCollection<FalloutDat>;

FileInDat& FileInDat_Collection::Add(std::string fullPath) {
    return items_.Append(std::make_shared<FileInDat>(FileInDat{std::move(fullPath)}));
}

FalloutDat& FalloutDat_Collection::Add(std::int32_t index, std::int32_t filesTotal,
                                       const std::filesystem::path& fullPath, bool selected,
                                       const std::string& modDescription,
                                       std::shared_ptr<FileInDat_Collection> files) {
    auto dat = std::make_shared<FalloutDat>();
    dat->Index = index;
    dat->FilesTotal = filesTotal;
    dat->FullPath = fullPath;
    dat->Selected = selected;
    dat->ModDesc = modDescription;
    dat->Files = files ? std::move(files) : std::make_shared<FileInDat_Collection>();
    return items_.Append(std::move(dat));
}

}  // namespace vrel
