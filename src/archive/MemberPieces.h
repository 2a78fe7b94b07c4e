#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace vrel {

// A member larger than this, packed or not, is read, packed and written piece by piece rather
// than held whole, so that memory stays bounded by the work (threads times this) and not by the
// largest member.
inline constexpr std::int64_t kLargeMember = std::int64_t{4} << 20;
inline constexpr std::size_t kMemberPiece = std::size_t{1} << 20;

// Fills the buffer it is given from the start and says how many bytes it put there, 0 at the
// end; nothing when reading failed (the reader's owner knows why).
using ReadPiece = std::function<std::optional<std::size_t>(std::span<std::uint8_t>)>;
// Takes the next piece of a member's content; false to stop.
using TakePiece = std::function<bool(std::span<const std::uint8_t>)>;

}  // namespace vrel
