#pragma once

#include <cstddef>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "archive/DatEntry.h"
#include "archive/DatWalk.h"
#include "archive/MemberReader.h"
#include "archive/OrderedPool.h"

namespace vrel {

// What Next() throws for a member whose content cannot be held for want of memory: a bad_alloc
// that names the member, so that the reader can say which one it was.
struct MemberOutOfMemory : std::bad_alloc {
    explicit MemberOutOfMemory(std::string member) : Member(std::move(member)) {}
    std::string Member;  // as stored: Windows-1252, backslashes
};

// The members of one archive in directory order, each with its content, while the members
// ahead are read (on the caller's thread) and inflated (on `threads` threads). The caller sees
// exactly what a walk that reads each member in turn gives: the same entries, contents and
// problems, in the same order. A few members per thread are held at once, so memory stays
// bounded by the threads times the largest member.
class MemberStream {
public:
    struct Member {
        DatEntry Entry;
        std::optional<MemberContent> Content;  // nothing for an entry that `wanted` passed over
    };
    using Wanted = std::function<bool(const DatEntry&)>;

    // `wanted`, asked in directory order on the caller's thread, says whose content is read at
    // all; without it every member is read.
    MemberStream(DatWalk& walk, int threads, Wanted wanted = {},
                 Inflater inflater = Inflater::Fastest);

    // The next member, or nothing once the walk has ended (walk.Problem() then tells whether the
    // directory was damaged).
    std::optional<Member> Next();

private:
    DatWalk& walk_;
    Wanted wanted_;
    Inflater inflater_;
    OrderedPool<Member> pool_;
    std::size_t window_;
    bool walkEnded_ = false;
};

}  // namespace vrel
