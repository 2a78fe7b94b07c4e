#include "archive/MemberStream.h"

#include <utility>

namespace vrel {

MemberStream::MemberStream(DatWalk& walk, int threads, Wanted wanted, Inflater inflater)
    : walk_(walk),
      wanted_(std::move(wanted)),
      inflater_(inflater),
      pool_(threads),
      window_(threads > 1 ? 4 * static_cast<std::size_t>(threads) : 1) {}

std::optional<MemberStream::Member> MemberStream::Next() {
    while (!walkEnded_ && pool_.Pending() < window_) {
        std::optional<DatEntry> entry = walk_.NextDatEntry();
        if (!entry) {
            walkEnded_ = true;
            break;
        }
        if (wanted_ && !wanted_(*entry)) {
            pool_.Submit([entry = std::move(*entry)] { return Member{entry, std::nullopt}; });
            continue;
        }
        MemberContent content;
        try {
            content = walk_.ReadMemberBytes(*entry);
        } catch (const std::bad_alloc&) {
            throw MemberOutOfMemory(entry->Name);
        }
        pool_.Submit([entry = std::move(*entry), content = std::move(content),
                      inflater = inflater_]() mutable {
            try {
                UnpackMemberBytes(content, entry, inflater);
            } catch (const std::bad_alloc&) {
                throw MemberOutOfMemory(entry.Name);
            }
            return Member{std::move(entry), std::move(content)};
        });
    }
    if (pool_.Pending() == 0) {
        return std::nullopt;
    }
    return pool_.TakeNext();
}

}  // namespace vrel
