#include "archive/DatModCopy.h"

#include <fstream>
#include <system_error>

#include "archive/DatVerify.h"

namespace vrel {
namespace {

struct CheckedCopy {
    std::filesystem::path Temporary;
    std::filesystem::path Target;
    std::int32_t Members = 0;
};

void RemoveAll(const std::vector<CheckedCopy>& copies) {
    std::error_code error;
    for (const CheckedCopy& copy : copies) {
        std::filesystem::remove(copy.Temporary, error);
    }
}

}  // namespace

Expected<std::vector<CopiedDat>, ImportError> CopyDatMods(ModSource& source,
                                                          const std::vector<SourceFile>& files,
                                                          const std::vector<DatModTarget>& mods) {
    std::vector<bool> wanted(files.size(), false);
    std::vector<const std::filesystem::path*> targets(files.size(), nullptr);
    for (const DatModTarget& mod : mods) {
        wanted[mod.Source] = true;
        targets[mod.Source] = &mod.Target;
    }
    std::vector<CheckedCopy> copies;
    const TakeContent take = [&](std::size_t index, std::span<const std::uint8_t> content)
        -> std::optional<ImportError> {
        CheckedCopy copy{*targets[index], *targets[index], 0};
        copy.Temporary += ".vrel-part";
        {
            std::ofstream out(copy.Temporary, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(content.data()),
                      static_cast<std::streamsize>(content.size()));
            out.close();
            copies.push_back(copy);
            if (!out) {
                return ImportError{ImportFailure::CannotWrite, {}, {}};
            }
        }
        const DatVerification check = VerifyDat(copy.Temporary);
        if (!check.Findings.empty()) {
            return ImportError{ImportFailure::DamagedMod,
                               files[index].Path + ": " + DescribeDatFinding(check.Findings.front()),
                               {}};
        }
        copies.back().Members = check.MembersChecked;
        return std::nullopt;
    };
    if (auto failure = source.Read(wanted, take)) {
        RemoveAll(copies);
        return Unexpected{*failure};
    }
    std::vector<CopiedDat> copied;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        std::error_code error;
        std::filesystem::rename(copies[i].Temporary, copies[i].Target, error);
        if (error) {
            RemoveAll({copies.begin() + static_cast<std::ptrdiff_t>(i), copies.end()});
            return Unexpected{ImportError{ImportFailure::CannotWrite, {}, {}}};
        }
        copied.push_back({copies[i].Target, copies[i].Members});
    }
    return copied;
}

}  // namespace vrel
