#include "archive/DatModCopy.h"

#include "archive/DatVerify.h"
#include "base/AnsiText.h"
#include "base/PendingFile.h"

namespace vrel {
namespace {

ImportError CannotWrite(const PlaceFailure& failure) {
    return ImportError{failure.Kind == PlaceProblem::AlreadyThere ? ImportFailure::AlreadyThere
                                                                  : ImportFailure::CannotWrite,
                       PathToDisplay(failure.Path) +
                           (failure.Error ? ": " + ErrorToDisplay(failure.Error) : std::string()),
                       {}};
}

}  // namespace

Expected<std::vector<CopiedDat>, ImportError> CopyDatMods(ModSource& source,
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
    const TakeContent take =
        [&](std::size_t index,
            std::span<const std::uint8_t> content) -> std::optional<ImportError> {
        auto pending = PendingFile::Create(targets[index]->Target);
        if (!pending) {
            return CannotWrite(pending.error());
        }
        if (auto failure = pending->Write(content)) {
            return CannotWrite(*failure);
        }
        const DatVerification check = VerifyDat(pending->Temporary());
        if (!check.Findings.empty()) {
            return ImportError{
                ImportFailure::DamagedMod,
                files[index].Path + ": " + DescribeDatFinding(check.Findings.front()),
                {}};
        }
        copies.push_back({std::move(*pending), targets[index], check.MembersChecked});
        return std::nullopt;
    };
    if (auto failure = source.Read(wanted, take)) {
        return Unexpected{*failure};
    }
    std::vector<CopiedDat> copied;
    for (CheckedCopy& copy : copies) {
        if (auto failure =
                copy.File.Place(copy.Mod->Replace ? Placing::Replace : Placing::NewInAnyCase)) {
            return Unexpected{CannotWrite(*failure)};
        }
        copied.push_back({copy.Mod->Target, copy.Members});
    }
    return copied;
}

}  // namespace vrel
