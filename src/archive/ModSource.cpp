#include "archive/ModSource.h"

#include <system_error>

#include "archive/DatEntry.h"
#include "base/AnsiText.h"

namespace vrel {

Expected<std::unique_ptr<ModSource>, ImportFailure> OpenModSource(
    const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return OpenFolderSource(path);
    }
    const std::u8string suffix = path.extension().u8string();
    const std::string extension = AnsiToLower(std::string(suffix.begin(), suffix.end()));
    if (extension == ".zip" || extension == ".7z") {
        if (!PackedSourcesAvailable()) {
            return Unexpected{ImportFailure{ImportProblem::NotAvailable, {}, {}}};
        }
        return OpenPackedSource(path);
    }
    // A .dat is a mod as it is: it is checked and copied, as a dropped one is.
    if (extension == ".dat" && std::filesystem::is_regular_file(path, error)) {
        return OpenOneFileSource(path);
    }
    if (!std::filesystem::exists(path, error)) {
        return Unexpected{ImportFailure{ImportProblem::CannotOpen, "no such file or folder", {}}};
    }
    if (IsPackedKindNeverRead(extension)) {
        return Unexpected{ImportFailure{
            ImportProblem::UnknownKind, "unpack this " + extension + " and add the folder", {}}};
    }
    return Unexpected{ImportFailure{ImportProblem::UnknownKind, {}, {}}};
}

bool IsPackedKindNeverRead(const std::string& extension) {
    for (const char* packed : {".gz", ".tgz", ".tar", ".rar", ".bz2", ".xz"}) {
        if (extension == packed) {
            return true;
        }
    }
    return false;
}

std::string DescribeImportFailure(const ImportFailure& error) {
    std::string text;
    switch (error.Kind) {
        case ImportProblem::UnknownKind:
            text = "only .dat files, folders, .zip and .7z files can be added as mods";
            break;
        case ImportProblem::NotAvailable:
            text = ".zip and .7z files cannot be read by this build; unpack it and add the folder";
            break;
        case ImportProblem::CannotOpen:
            text = "cannot be read";
            break;
        case ImportProblem::DamagedSource:
            text = "is damaged";
            break;
        case ImportProblem::NothingToImport:
            text =
                "holds no data folder and none of the game's data folders (art, maps, premade, proto, scripts, sound, text)";
            break;
        case ImportProblem::EmptyDataFolder:
            text = "its data folder holds no files";
            break;
        case ImportProblem::SeveralMods:
            text = "holds more than one mod; add the folder of the one you want";
            break;
        case ImportProblem::DamagedMod:
            text = "holds a mod archive that is damaged";
            break;
        case ImportProblem::RefusedNames:
            text = "holds files that cannot go into a DAT archive";
            break;
        case ImportProblem::AlreadyThere:
            text = "an archive of that name is already there";
            break;
        case ImportProblem::CannotWrite:
            text = "the archive cannot be written";
            break;
        case ImportProblem::TooLarge:
            text = kArchiveTooLarge;
            break;
        case ImportProblem::OutOfMemory:
            text = "there is not enough memory to pack a file";
            break;
    }
    if (!error.Detail.empty()) {
        text += " (" + error.Detail + ")";
    }
    return text;
}

}  // namespace vrel
