#include "archive/DatModCopy.h"

#include <new>

#include "archive/DatVerify.h"
#include "archive/MemberPieces.h"
#include "base/AnsiText.h"
#include "base/PendingFile.h"

namespace vrel {
namespace {

ImportFailure CannotWrite(const PlaceFailure& failure) {
    return ImportFailure{failure.Kind == PlaceProblem::AlreadyThere ? ImportProblem::AlreadyThere
                                                                    : ImportProblem::CannotWrite,
                         DescribePathError(failure.Path, failure.Error),
                         {}};
}

}  // namespace

Expected<std::vector<CopiedDat>, ImportFailure> CopyDatMods(ModSource& source,
                                                            const std::vector<SourceFile>& files,
                                                            const std::vector<DatModTarget>& mods) {
    std::vector<const DatModTarget*> targets(files.size(), nullptr);
    std::vector<bool> wanted(files.size(), false);
    for (const DatModTarget& mod : mods) {
        wanted[mod.Source] = true;
        targets[mod.Source] = &mod;
    }
    // Each copy waits beside its target, checked, until all are; a failure removes them all.
    struct CheckedCopy {
        PendingFile File;
        const DatModTarget* Mod;
        std::int32_t Members;
    };
    std::vector<CheckedCopy> copies;
    std::vector<std::uint8_t> piece(kMemberPiece);
    const TakeContent take = [&](std::size_t index,
                                 SourceContent& content) -> Expected<void, ImportFailure> {
        auto pending = PendingFile::Create(targets[index]->Target);
        if (!pending) {
            return Unexpected{CannotWrite(pending.error())};
        }
        // Copied as it is read: a .dat mod may be as large as the format allows.
        while (true) {
            auto got = content.Read(piece);
            if (!got) {
                return Unexpected{got.error()};
            }
            if (*got == 0) {
                break;
            }
            if (const auto written = pending->Write(std::span(piece).first(*got)); !written) {
                return Unexpected{CannotWrite(written.error())};
            }
        }
        DatVerification check;
        try {
            check = VerifyDat(pending->Temporary());
        } catch (const std::bad_alloc&) {
            return Unexpected{ImportFailure{ImportProblem::OutOfMemory, files[index].Path, {}}};
        }
        if (!check.Findings.empty()) {
            return Unexpected{
                ImportFailure{ImportProblem::DamagedMod,
                              files[index].Path + ": " + DescribeDatFinding(check.Findings.front()),
                              {}}};
        }
        copies.push_back({std::move(*pending), targets[index], check.MembersChecked});
        return {};
    };
    if (const auto read = source.Read(wanted, take); !read) {
        return Unexpected{read.error()};
    }
    std::vector<CopiedDat> copied;
    for (CheckedCopy& copy : copies) {
        if (const auto placed = copy.File.Place(copy.Mod->Replace ? Placing::ReplaceInAnyCase
                                                                  : Placing::NewInAnyCase);
            !placed) {
            return Unexpected{CannotWrite(placed.error())};
        }
        copied.push_back({copy.File.Target(), copy.Members});
    }
    return copied;
}

}  // namespace vrel
