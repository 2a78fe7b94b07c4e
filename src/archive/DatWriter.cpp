#include "archive/DatWriter.h"

#include <algorithm>
#include <new>
#include <utility>

#include "archive/ZlibStream.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

WriteFailure FromPlaceFailure(const PlaceFailure& failure) {
    return {failure.Kind == PlaceProblem::AlreadyThere ? WriteProblem::AlreadyThere
                                                       : WriteProblem::CannotWrite,
            failure.Path, failure.Error};
}

}  // namespace

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

void AppendEntry(std::vector<std::uint8_t>& out, const WrittenEntry& entry, std::int32_t nameLen) {
    AppendInt32(out, nameLen);
    out.insert(out.end(), entry.Name.begin(), entry.Name.end());
    out.push_back(entry.Compressed);
    AppendInt32(out, entry.RealSize);
    AppendInt32(out, entry.PackedSize);
    AppendInt32(out, entry.Offset);
}

std::string DescribeWriteFailure(const WriteFailure& failure) {
    switch (failure.Kind) {
        case WriteProblem::TooLarge:
            return std::string(kArchiveTooLarge);
        case WriteProblem::AlreadyThere:
            return "an archive of that name was put there while this one was written";
        case WriteProblem::Abandoned:
            return "the archive was given up";
        case WriteProblem::CannotWrite:
            break;
    }
    return failure.Error ? "cannot be written: " + ErrorToDisplay(failure.Error)
                         : "cannot be written";
}

Expected<DatWriter, WriteFailure> DatWriter::Create(const std::filesystem::path& path, int level,
                                                    Placing placing) {
    auto file = PendingFile::Create(path);
    if (!file) {
        return Unexpected{FromPlaceFailure(file.error())};
    }
    return DatWriter(std::move(*file), level, placing);
}

// The members of an archive are mostly a few KB: they go to the file a piece at a time, not a
// system call each.
constexpr std::size_t kHeldBytes = std::size_t{1} << 20;

Expected<void, WriteFailure> DatWriter::Write(std::span<const std::uint8_t> bytes) {
    written_ += static_cast<std::int64_t>(bytes.size());
    if (held_.size() + bytes.size() <= kHeldBytes) {
        held_.insert(held_.end(), bytes.begin(), bytes.end());
        return {};
    }
    if (auto held = WriteHeld(); !held) {
        return held;
    }
    if (const auto written = file_.Write(bytes); !written) {
        return Unexpected{FromPlaceFailure(written.error())};
    }
    return {};
}

Expected<void, WriteFailure> DatWriter::WriteHeld() {
    const auto written = file_.Write(held_);
    held_.clear();
    if (!written) {
        return Unexpected{FromPlaceFailure(written.error())};
    }
    return {};
}

EncodedMember EncodeMember(std::span<const std::uint8_t> content, MemberStorage storage,
                           int level) {
    EncodedMember encoded;
    encoded.RealSize = content.size();
    if (storage != MemberStorage::Stored) {
        // Kept between members: setting a compressor up costs more than packing a small member.
        thread_local std::optional<MemberCompressor> compressor;
        if (!compressor || compressor->Level() != level) {
            compressor.emplace(level);
        }
        compressor->Compress(content, encoded.Bytes);
        if (storage == MemberStorage::Compressed || encoded.Bytes.size() < content.size()) {
            encoded.Compressed = true;
            return encoded;
        }
    }
    encoded.Bytes.assign(content.begin(), content.end());
    return encoded;
}

Expected<void, WriteFailure> DatWriter::AddEncoded(const std::string& name,
                                                   const EncodedMember& member) {
    const std::vector<std::uint8_t>& bytes = member.Bytes;
    if (member.RealSize > static_cast<std::size_t>(kMaxFormatSize) ||
        written_ + static_cast<std::int64_t>(bytes.size()) > kMaxFormatSize) {
        return Failed(WriteProblem::TooLarge);
    }
    WrittenEntry entry;
    entry.Name = name;
    entry.Compressed = member.Compressed ? 1 : 0;
    entry.RealSize = static_cast<std::int32_t>(member.RealSize);
    entry.PackedSize = static_cast<std::int32_t>(bytes.size());
    entry.Offset = static_cast<std::int32_t>(written_);
    if (auto written = Write(bytes); !written) {
        return written;
    }
    entries_.push_back(std::move(entry));
    return {};
}

Expected<void, WriteFailure> DatWriter::AddStreamed(
    const std::string& name, const ReadPiece& read, MemberStorage storage,
    const std::function<void(std::int64_t)>& progress) {
    std::vector<std::uint8_t> piece(kMemberPiece);
    auto readPiece = [&]() -> std::optional<std::size_t> {
        std::size_t used = 0;
        while (used < piece.size()) {
            const auto got = read(std::span(piece).subspan(used));
            if (!got) {
                return std::nullopt;
            }
            if (*got == 0) {
                break;
            }
            used += *got;
        }
        return used;
    };
    WrittenEntry entry;
    entry.Name = name;
    entry.Offset = static_cast<std::int32_t>(written_);
    std::int64_t realSize = 0;
    std::int64_t packedSize = 0;
    auto first = readPiece();
    if (!first) {
        return Failed(WriteProblem::Abandoned);
    }
    bool compressed = storage != MemberStorage::Stored;
    if (storage == MemberStorage::Smallest) {
        const EncodedMember probe =
            EncodeMember(std::span(piece).first(*first), MemberStorage::Smallest, level_);
        compressed = probe.Compressed;
    }
    ZlibStream stream;
    z_stream& z = stream.Z();
    std::vector<std::uint8_t> packed;
    if (compressed) {
        if (!stream.BeginDeflate(level_)) {
            throw std::bad_alloc();
        }
        packed.resize(kMemberPiece / 4);
    }
    auto writeOut = [&](std::span<const std::uint8_t> bytes) -> Expected<void, WriteFailure> {
        packedSize += static_cast<std::int64_t>(bytes.size());
        if (written_ + static_cast<std::int64_t>(bytes.size()) > kMaxFormatSize) {
            return Failed(WriteProblem::TooLarge);
        }
        return Write(bytes);
    };
    auto deflateSome = [&](std::span<const std::uint8_t> input,
                           int flush) -> Expected<void, WriteFailure> {
        z.next_in = const_cast<Bytef*>(input.data());
        z.avail_in = static_cast<uInt>(input.size());
        int result = Z_OK;
        do {
            z.next_out = packed.data();
            z.avail_out = static_cast<uInt>(packed.size());
            result = deflate(&z, flush);
            if (result == Z_STREAM_ERROR) {
                return Failed(WriteProblem::CannotWrite);
            }
            if (auto written = writeOut(std::span(packed).first(packed.size() - z.avail_out));
                !written) {
                return written;
            }
        } while (z.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
        return {};
    };
    std::size_t got = *first;
    while (true) {
        realSize += static_cast<std::int64_t>(got);
        if (realSize > kMaxFormatSize) {
            return Failed(WriteProblem::TooLarge);
        }
        const auto content = std::span<const std::uint8_t>(piece).first(got);
        if (auto written = compressed ? deflateSome(content, Z_NO_FLUSH) : writeOut(content);
            !written) {
            return written;
        }
        if (progress) {
            progress(realSize);
        }
        if (got < piece.size()) {
            break;
        }
        auto next = readPiece();
        if (!next) {
            return Failed(WriteProblem::Abandoned);
        }
        got = *next;
    }
    if (compressed) {
        if (auto finished = deflateSome({}, Z_FINISH); !finished) {
            return finished;
        }
    }
    entry.Compressed = compressed ? 1 : 0;
    entry.RealSize = static_cast<std::int32_t>(realSize);
    entry.PackedSize = static_cast<std::int32_t>(packedSize);
    entries_.push_back(std::move(entry));
    return {};
}

Expected<void, WriteFailure> DatWriter::Finish(
    const std::function<bool(const WrittenEntry&, const WrittenEntry&)>& before) {
    if (placed_) {
        return Failed(WriteProblem::CannotWrite);
    }
    if (before) {
        std::stable_sort(entries_.begin(), entries_.end(), before);
    }
    std::vector<std::uint8_t> tree;
    AppendInt32(tree, static_cast<std::int32_t>(entries_.size()));
    for (const WrittenEntry& entry : entries_) {
        AppendEntry(tree, entry, static_cast<std::int32_t>(entry.Name.size()));
    }
    const std::int64_t dataSize = written_ + static_cast<std::int64_t>(tree.size()) + 8;
    if (dataSize > kMaxFormatSize) {
        return Failed(WriteProblem::TooLarge);
    }
    AppendInt32(tree, static_cast<std::int32_t>(tree.size()));
    AppendInt32(tree, static_cast<std::int32_t>(dataSize));
    if (auto written = Write(tree); !written) {
        return written;
    }
    if (auto held = WriteHeld(); !held) {
        return held;
    }
    placed_ = true;
    if (const auto placed = file_.Place(placing_); !placed) {
        return Unexpected{FromPlaceFailure(placed.error())};
    }
    return {};
}

}  // namespace vrel
