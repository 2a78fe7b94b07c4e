#include "config/GameSearch.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "base/AnsiText.h"
#include "base/AsciiCase.h"
#include "base/CaseBlindPath.h"
#include "base/PathHelpers.h"
#include "config/GameFolder.h"
#include "config/GamePaths.h"
#include "config/SteamVdf.h"

namespace fs = std::filesystem;

namespace vrel {
namespace {

// The game's numbers in the two stores.
constexpr std::string_view kGogGameId = "1440151285";
constexpr std::string_view kSteamAppId = "38410";
constexpr std::string_view kGameName = "Fallout 2";

// Where GOG's installers and GOG Galaxy record each game, under HKEY_LOCAL_MACHINE.
constexpr const char* kGogGamesKey = "SOFTWARE\\GOG.com\\Games";
// Where Steam's installer records its folder, under HKEY_LOCAL_MACHINE.
constexpr const char* kSteamKey = "SOFTWARE\\Valve\\Steam";

// Where the records read through the program's own registry come from: Windows itself, or
// elsewhere the Wine prefix the program reads.
#ifdef _WIN32
constexpr std::string_view kInstallerStore = "Installer";
constexpr std::string_view kGogStore = "GOG";
#else
constexpr std::string_view kInstallerStore = "Wine prefix";
constexpr std::string_view kGogStore = "GOG, Wine prefix";
#endif

// Store records are small; anything far larger is no record of theirs.
constexpr std::uintmax_t kMaxRecordSize = 16u * 1024u * 1024u;

std::optional<std::string> ReadRecord(const fs::path& file) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error || size > kMaxRecordSize) {
        return std::nullopt;
    }
    std::FILE* in = OpenFile(file, "rb");
    if (in == nullptr) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    const std::size_t read = std::fread(text.data(), 1, text.size(), in);
    std::fclose(in);
    if (read != text.size()) {
        return std::nullopt;
    }
    return text;
}

std::optional<VdfNode> ReadVdf(const fs::path& file) {
    const auto text = ReadRecord(file);
    return text ? ParseVdf(*text) : std::nullopt;
}

std::optional<std::string> RegistryString(const RegistryValue& value) {
    if (const auto* text = std::get_if<std::string>(&value); text != nullptr && !text->empty()) {
        return *text;
    }
    return std::nullopt;
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error) && !error) {
        return true;
    }
#ifdef _WIN32
    return SameNameIgnoringCase(PathToDisplay(a.lexically_normal()),
                                PathToDisplay(b.lexically_normal()));
#else
    return a.lexically_normal() == b.lexically_normal();
#endif
}

class Search {
public:
    Search(RegistryPort& registry, EnvironmentPort& environment)
        : registry_(registry), environment_(environment) {}

    FoundGameFolders Run() {
        const RegistryValue entry = ReadDestPath(registry_);
        found_.Recorded = !std::holds_alternative<std::monostate>(entry);
        if (const std::string text = RegistryText(entry); !text.empty()) {
            // The installer's own entry stands as it is, as it always has.
            found_.Folders.push_back(text);
            found_.Stores.emplace_back(kInstallerStore);
            paths_.push_back(DisplayToPath(text));
        }
        GogRecords(registry_, kGogStore);
        for (const auto& [steam, store] : SteamFolders()) {
            SteamLibraries(steam, store);
        }
        for (const fs::path& library : libraries_) {
            ProtonPrefix(library);
        }
        HeroicRecords();
        return std::move(found_);
    }

private:
    void Offer(const fs::path& folder, std::string_view store) {
        if (folder.empty() || !FileExistsAt(GameExecutable(folder))) {
            return;
        }
        for (const fs::path& known : paths_) {
            if (SameFolder(known, folder)) {
                return;
            }
        }
        paths_.push_back(folder);
        found_.Folders.push_back(PathToDisplay(folder));
        found_.Stores.emplace_back(store);
    }

    std::optional<fs::path> Home() {
        for (const char* name : {"HOME", "USERPROFILE"}) {
            if (auto home = environment_.Variable(name)) {
                return DisplayToPath(*home);
            }
        }
        return std::nullopt;
    }

    // XDG_DATA_HOME or XDG_CONFIG_HOME, else its default under the home folder.
    std::optional<fs::path> XdgFolder(const char* variable, const fs::path& underHome) {
        if (auto folder = environment_.Variable(variable)) {
            return DisplayToPath(*folder);
        }
        if (auto home = Home()) {
            return *home / underHome;
        }
        return std::nullopt;
    }

    // GOG's installers and GOG Galaxy keep a key per game, named by the game's number and holding
    // its name ("gameName") and folder ("path"); both views, as the 32-bit client and a 64-bit
    // installer differ.
    void GogRecords(RegistryPort& registry, std::string_view store) {
        for (const RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
            for (const std::string& game : registry.SubkeyNames(kGogGamesKey, view)) {
                const std::string key = std::string(kGogGamesKey) + "\\" + game;
                // The key is named by the game's number; a record made by hand may only name it.
                bool ours = game == kGogGameId;
                if (!ours) {
                    const auto name = RegistryString(registry.ReadRegValue(key, "gameName", view));
                    ours = name && SameNameIgnoringCase(*name, kGameName);
                }
                if (!ours) {
                    continue;
                }
                if (const auto folder = RegistryString(registry.ReadRegValue(key, "path", view))) {
                    Offer(DisplayToPath(*folder), store);
                }
            }
        }
    }

    // Steam's folders, each with the store it is named by.
    std::vector<std::pair<fs::path, std::string_view>> SteamFolders() {
        std::vector<std::pair<fs::path, std::string_view>> folders;
        if (const auto installed =
                RegistryString(registry_.ReadRegValue(kSteamKey, "InstallPath"))) {
            folders.emplace_back(DisplayToPath(*installed), "Steam");
        }
        if (const auto programs = environment_.Variable("ProgramFiles(x86)")) {
            folders.emplace_back(DisplayToPath(*programs) / "Steam", "Steam");
        }
        if (const auto data = XdgFolder("XDG_DATA_HOME", fs::path(".local") / "share")) {
            folders.emplace_back(*data / "Steam", "Steam");
        }
        if (const auto home = Home()) {
            folders.emplace_back(*home / ".steam" / "steam", "Steam");
            folders.emplace_back(*home / ".steam" / "root", "Steam");
            folders.emplace_back(*home / ".steam" / "debian-installation", "Steam");
            // Flatpak keeps the sandbox's own home folder for each application.
            folders.emplace_back(
                *home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam",
                "Steam, Flatpak");
            folders.emplace_back(*home / "snap" / "steam" / "common" / ".local" / "share" / "Steam",
                                 "Steam, Snap");
        }
        return folders;
    }

    void AddLibrary(const fs::path& library, std::string_view store) {
        std::error_code error;
        if (library.empty() || !fs::is_directory(library, error)) {
            return;
        }
        for (const fs::path& known : libraries_) {
            if (SameFolder(known, library)) {
                return;
            }
        }
        libraries_.push_back(library);
        AppManifest(library, store);
    }

    // The Steam folder is a library itself; libraryfolders.vdf lists it and every other one:
    // "path" in a block per library, or a bare path per number in older files.
    void SteamLibraries(const fs::path& steam, std::string_view store) {
        AddLibrary(steam, store);
        const auto file = ReadVdf(ResolveCaseBlind(steam / "steamapps" / "libraryfolders.vdf"));
        if (!file || file->Children.empty()) {
            return;
        }
        for (const VdfNode& entry : file->Children.front().Children) {
            if (entry.Block) {
                if (const VdfNode* path = entry.Child("path"); path != nullptr && !path->Block) {
                    AddLibrary(DisplayToPath(path->Value), store);
                }
            } else if (!entry.Key.empty() &&
                       entry.Key.find_first_not_of("0123456789") == std::string::npos) {
                AddLibrary(DisplayToPath(entry.Value), store);
            }
        }
    }

    // The game's manifest names its folder under the library's steamapps\common.
    void AppManifest(const fs::path& library, std::string_view store) {
        const fs::path steamapps = ResolveCaseBlind(library / "steamapps");
        const auto manifest = ReadVdf(
            ResolveCaseBlind(steamapps / ("appmanifest_" + std::string(kSteamAppId) + ".acf")));
        if (!manifest) {
            return;
        }
        const VdfNode* state = manifest->Child("AppState");
        const VdfNode* folder = state != nullptr ? state->Child("installdir") : nullptr;
        if (folder == nullptr || folder->Block || folder->Value.empty()) {
            return;
        }
        const fs::path name = DisplayToPath(folder->Value);
        if (name.has_root_path() || name.filename() != name) {
            return;  // a folder name, never a way out of the library
        }
        Offer(ResolveCaseBlind(steamapps / "common" / name), store);
    }

    // On Linux Steam runs the game in a Wine prefix of its own, where an installer run in it
    // (the game's own or GOG's) leaves its records.
    void ProtonPrefix(const fs::path& library) {
        const fs::path prefix = ResolveCaseBlind(library / "steamapps" / "compatdata" /
                                                 std::string(kSteamAppId) / "pfx");
        std::error_code error;
        if (!fs::is_directory(prefix, error)) {
            return;
        }
        const auto registry = registry_.PrefixRegistry(prefix);
        if (!registry) {
            return;
        }
        if (const auto entry = RegistryString(ReadDestPath(*registry))) {
            Offer(DisplayToPath(*entry), "Proton");
        }
        GogRecords(*registry, "GOG, Proton");
    }

    // Heroic, the Linux launcher of GOG games, lists them in gog_store/installed.json, each with
    // its "install_path"; a folder counts only when it holds the game, so no other field matters.
    void HeroicRecords() {
        std::vector<std::pair<fs::path, std::string_view>> files;
        if (const auto config = XdgFolder("XDG_CONFIG_HOME", ".config")) {
            files.emplace_back(*config / "heroic" / "gog_store" / "installed.json", "Heroic");
        }
        if (const auto home = Home()) {
            files.emplace_back(*home / ".var" / "app" / "com.heroicgameslauncher.hgl" / "config" /
                                   "heroic" / "gog_store" / "installed.json",
                               "Heroic, Flatpak");
        }
        for (const auto& [file, store] : files) {
            if (const auto text = ReadRecord(file)) {
                for (const std::string& folder : JsonStringsNamed(*text, "install_path")) {
                    Offer(DisplayToPath(folder), store);
                }
            }
        }
    }

    // The string values of every member named `name`, wherever it stands; a string that cannot
    // be read ends the scan.
    static std::vector<std::string> JsonStringsNamed(std::string_view json, std::string_view name) {
        std::vector<std::string> values;
        const std::string quoted = "\"" + std::string(name) + "\"";
        std::size_t pos = 0;
        while ((pos = json.find(quoted, pos)) != std::string_view::npos) {
            pos += quoted.size();
            pos = json.find_first_not_of(" \t\r\n", pos);
            if (pos == std::string_view::npos || json[pos] != ':') {
                continue;
            }
            pos = json.find_first_not_of(" \t\r\n", pos + 1);
            if (pos == std::string_view::npos || json[pos] != '"') {
                continue;
            }
            auto value = JsonString(json, pos);
            if (!value) {
                break;
            }
            values.push_back(std::move(*value));
        }
        return values;
    }

    // The JSON string at `json[pos] == '"'`, escapes undone; `pos` moves past it.
    static std::optional<std::string> JsonString(std::string_view json, std::size_t& pos) {
        std::string out;
        for (++pos; pos < json.size(); ++pos) {
            const char c = json[pos];
            if (c == '"') {
                ++pos;
                return out;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (++pos >= json.size()) {
                return std::nullopt;
            }
            const char escape = json[pos];
            if (escape == 'u') {
                // Heroic writes folders as UTF-8; an escaped character is taken only in ASCII.
                if (pos + 4 >= json.size()) {
                    return std::nullopt;
                }
                const unsigned long code =
                    std::strtoul(std::string(json.substr(pos + 1, 4)).c_str(), nullptr, 16);
                if (code == 0 || code > 0x7F) {
                    return std::nullopt;
                }
                out += static_cast<char>(code);
                pos += 4;
                continue;
            }
            const std::string_view plain = "\"\\/";
            if (plain.find(escape) == std::string_view::npos) {
                return std::nullopt;  // no folder holds a control character
            }
            out += escape;
        }
        return std::nullopt;
    }

    RegistryPort& registry_;
    EnvironmentPort& environment_;
    FoundGameFolders found_;
    std::vector<fs::path> paths_;
    std::vector<fs::path> libraries_;
};

}  // namespace

FoundGameFolders FindGameFolders(RegistryPort& registry, EnvironmentPort& environment) {
    return Search(registry, environment).Run();
}

std::string DescribeFoundFolder(const FoundGameFolders& found, std::size_t index) {
    return found.Stores[index] + ": " + found.Folders[index];
}

}  // namespace vrel
