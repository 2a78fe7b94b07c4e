#include "archive/ModSource.h"

#include <system_error>

#include "base/AnsiText.h"

namespace vrel {

Expected<std::unique_ptr<ModSource>, ImportError> OpenModSource(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return OpenFolderSource(path);
    }
    const std::u8string suffix = path.extension().u8string();
    const std::string extension = AnsiToLower(std::string(suffix.begin(), suffix.end()));
    if (extension == ".zip" || extension == ".7z") {
        if (!PackedSourcesAvailable()) {
            return Unexpected{ImportError{ImportFailure::NotAvailable, {}, {}}};
        }
        return OpenPackedSource(path);
    }
    if (!std::filesystem::exists(path, error)) {
        return Unexpected{ImportError{ImportFailure::CannotOpen, "no such file or folder", {}}};
    }
    for (const char* packed : {".gz", ".tgz", ".tar", ".rar", ".bz2", ".xz"}) {
        if (extension == packed) {
            return Unexpected{ImportError{ImportFailure::UnknownKind,
                                          "unpack this " + extension + " and add the folder",
                                          {}}};
        }
    }
    return Unexpected{ImportError{ImportFailure::UnknownKind, {}, {}}};
}

std::string DescribeImportError(const ImportError& error) {
    std::string text;
    switch (error.Kind) {
        case ImportFailure::UnknownKind:
            text = "only folders, .zip and .7z files can be added as mods";
            break;
        case ImportFailure::NotAvailable:
            text = ".zip and .7z files cannot be read by this build; unpack it and add the folder";
            break;
        case ImportFailure::CannotOpen:
            text = "cannot be read";
            break;
        case ImportFailure::DamagedSource:
            text = "is damaged";
            break;
        case ImportFailure::NothingToImport:
            text =
                "holds no data folder and none of the game's data folders (art, maps, premade, proto, scripts, sound, text)";
            break;
        case ImportFailure::EmptyDataFolder:
            text = "its data folder holds no files";
            break;
        case ImportFailure::SeveralMods:
            text = "holds more than one mod; add the folder of the one you want";
            break;
        case ImportFailure::DamagedMod:
            text = "holds a mod archive that is damaged";
            break;
        case ImportFailure::RefusedNames:
            text = "holds files that cannot go into a DAT archive";
            break;
        case ImportFailure::AlreadyThere:
            text = "an archive of that name is already there";
            break;
        case ImportFailure::CannotWrite:
            text = "the archive cannot be written";
            break;
        case ImportFailure::TooLarge:
            text = "the archive would be larger than the format allows (2 GiB)";
            break;
    }
    if (!error.Detail.empty()) {
        text += " (" + error.Detail + ")";
    }
    return text;
}

}  // namespace vrel
