#include "archive/ModImport.h"

#include <algorithm>
#include <array>
#include <map>
#include <system_error>

#include "archive/DatWriter.h"
#include "archive/MemberPath.h"
#include "archive/NewMemberName.h"
#include "archive/OrderedPool.h"
#include "base/AnsiText.h"

namespace vrel {
namespace {

struct PlannedMember {
    std::size_t Source = 0;  // index into the source's listing
    std::string Name;        // Windows-1252, backslashes
};

// What an import takes from a source, decided from its listing alone.
struct ModPlan {
    std::vector<PlannedMember> Members;  // in listing order
    // A file that becomes amoddesc.qrd, the mod's description, when the mod brings none among
    // its members: a top-level amoddesc.qrd or read-me.
    std::optional<std::size_t> Description;
    std::vector<LeftOutFile> LeftOut;
    std::vector<std::string> Refusals;  // "<path>: <why>", display text
};

constexpr std::int64_t kMaxMemberSize = 0x7FFFFFFF;
constexpr const char* kDescriptionMember = "amoddesc.qrd";

// The folders under the game's data folder that the game reads mods from.
constexpr std::array<std::string_view, 7> kGameDataFolders = {
    "art", "maps", "premade", "proto", "scripts", "sound", "text"};

bool IsDataFolder(const std::string& part) {
    return AnsiToLower(part) == "data";
}

bool IsGameDataFolder(const std::string& part) {
    const std::string lower = AnsiToLower(part);
    return std::find(kGameDataFolders.begin(), kGameDataFolders.end(), lower) !=
           kGameDataFolders.end();
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    for (std::string_view part : MemberPathParts(path)) {
        parts.emplace_back(part);
    }
    // Some tools write "./" before every name.
    while (parts.size() > 1 && parts.front() == ".") {
        parts.erase(parts.begin());
    }
    return parts;
}

bool EndsWith(const std::string& lower, std::string_view suffix) {
    return lower.size() >= suffix.size() &&
           std::string_view(lower).substr(lower.size() - suffix.size()) == suffix;
}

LeftOutKind KindOf(const std::string& path) {
    const std::string lower = AnsiToLower(path);
    for (std::string_view suffix : {".ini", ".dll", ".exe", ".cfg", ".asi", ".bat", ".cmd"}) {
        if (EndsWith(lower, suffix)) {
            return LeftOutKind::GameFolder;
        }
    }
    for (std::string_view suffix :
         {".txt", ".nfo", ".doc", ".docx", ".rtf", ".pdf", ".htm", ".html", ".md"}) {
        if (EndsWith(lower, suffix)) {
            return LeftOutKind::ReadMe;
        }
    }
    return LeftOutKind::Other;
}

// Where the game's data lies in a source: below `Depth` folder levels (0, or 1 inside a wrapping
// folder named `Wrapper`), in `data` folders or in the game's data folders themselves.
struct DataRoot {
    std::size_t Depth = 0;
    std::string Wrapper;
    bool InDataFolder = false;

    bool Holds(const std::vector<std::string>& parts) const {
        if (parts.size() <= Depth + 1 || (Depth == 1 && parts[0] != Wrapper)) {
            return false;
        }
        return InDataFolder ? IsDataFolder(parts[Depth]) : IsGameDataFolder(parts[Depth]);
    }
    bool AtTop(const std::vector<std::string>& parts) const {
        return parts.size() == 1 || (Depth == 1 && parts.size() == 2 && parts[0] == Wrapper);
    }
};

std::optional<DataRoot> FindDataRootAt(const std::vector<std::vector<std::string>>& paths,
                                       std::size_t depth, const std::string& wrapper) {
    for (bool inData : {true, false}) {
        const DataRoot root{depth, wrapper, inData};
        for (const auto& parts : paths) {
            if (root.Holds(parts)) {
                return root;
            }
        }
    }
    return std::nullopt;
}

std::optional<DataRoot> FindDataRoot(const std::vector<std::vector<std::string>>& paths) {
    if (auto root = FindDataRootAt(paths, 0, {})) {
        return root;
    }
    // One folder that wraps the mod, beside which others (such as __MACOSX) may lie.
    std::vector<std::string> topFolders;
    for (const auto& parts : paths) {
        if (parts.size() > 1 &&
            std::find(topFolders.begin(), topFolders.end(), parts[0]) == topFolders.end()) {
            topFolders.push_back(parts[0]);
        }
    }
    std::optional<DataRoot> found;
    for (const std::string& folder : topFolders) {
        if (auto root = FindDataRootAt(paths, 1, folder)) {
            if (found) {
                return std::nullopt;  // two mods in one source: which one is meant is unclear
            }
            found = root;
        }
    }
    return found;
}

bool IsReadMeName(const std::string& fileName, const std::string& modName) {
    const std::string lower = AnsiToLower(fileName);
    const std::string mod = AnsiToLower(modName);
    if (lower.rfind("readme", 0) == 0 && EndsWith(lower, ".txt")) {
        return true;
    }
    return !mod.empty() && (lower == mod + ".txt" || lower == mod + ".nfo");
}

bool IsValidUtf8(const std::vector<std::uint8_t>& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t lead = bytes[i];
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// A read-me as the description's 8-bit text: UTF-8 (with or without its byte-order mark) is
// converted, other text is taken as already in the code page. Nothing when it holds characters
// the code page has not got.
std::optional<std::vector<std::uint8_t>> DescriptionText(std::span<const std::uint8_t> content) {
    std::vector<std::uint8_t> bytes(content.begin(), content.end());
    const bool marked =
        bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
    if (marked) {
        bytes.erase(bytes.begin(), bytes.begin() + 3);
    }
    const bool plainAscii =
        std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte < 0x80; });
    if (plainAscii || (!marked && !IsValidUtf8(bytes))) {
        return bytes;
    }
    auto ansi = StrictUtf8ToAnsi(std::string(bytes.begin(), bytes.end()));
    if (!ansi) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(ansi->begin(), ansi->end());
}

ImportError WriteError(WriteFailure failure) {
    return ImportError{
        failure == WriteFailure::TooLarge ? ImportFailure::TooLarge : ImportFailure::CannotWrite,
        {},
        {}};
}

// The game's data is taken from a top-level `data` folder (any letter case), else from the
// game's own data folders (art, maps, proto, ...) at the top; one folder that wraps the whole mod
// is looked into. `modName` names the read-me (<modName>.txt or .nfo) besides readme*.txt.
ModPlan PlanModImport(const std::vector<SourceFile>& files, const std::string& modName) {
    ModPlan plan;
    std::vector<std::vector<std::string>> paths;
    paths.reserve(files.size());
    for (const SourceFile& file : files) {
        paths.push_back(SplitPath(file.Path));
        std::string cleaned;
        for (const std::string& part : paths.back()) {
            cleaned += (cleaned.empty() ? "" : "/") + part;
        }
        if (auto unsafe = CheckMemberName(cleaned)) {
            plan.Refusals.push_back(file.Path + ": " + DescribeUnsafeName(*unsafe));
        }
    }
    if (!plan.Refusals.empty()) {
        return plan;
    }
    const std::optional<DataRoot> root = FindDataRoot(paths);
    std::vector<std::size_t> topFiles;
    bool bringsDescription = false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const SourceFile& file = files[i];
        const std::vector<std::string>& parts = paths[i];
        if (!root || !root->Holds(parts) || !file.Regular) {
            if (file.Regular && (!root || root->AtTop(parts))) {
                topFiles.push_back(i);
            }
            plan.LeftOut.push_back({file.Path, KindOf(file.Path)});
            continue;
        }
        const auto first =
            parts.begin() + static_cast<std::ptrdiff_t>(root->Depth + (root->InDataFolder ? 1 : 0));
        std::vector<std::string> memberParts;
        std::optional<NameRefusal> refusal;
        for (auto part = first; part != parts.end() && !refusal; ++part) {
            auto ansi = StrictUtf8ToAnsi(*part);
            if (!ansi) {
                refusal = ansi.error();
            } else {
                memberParts.push_back(std::move(*ansi));
            }
        }
        auto name = refusal ? Expected<std::string, NameRefusal>(Unexpected{*refusal})
                            : JoinMemberName(memberParts);
        if (!name) {
            plan.Refusals.push_back(file.Path + ": " + DescribeNameRefusal(name.error()));
            continue;
        }
        if (file.Size > kMaxMemberSize) {
            plan.Refusals.push_back(file.Path + ": larger than 2 GiB");
            continue;
        }
        bringsDescription = bringsDescription || AnsiToLower(*name) == kDescriptionMember;
        plan.Members.push_back({i, std::move(*name)});
    }

    std::vector<std::string> names;
    for (const PlannedMember& member : plan.Members) {
        names.push_back(member.Name);
    }
    std::sort(names.begin(), names.end(), MemberNameBefore);
    for (std::string& refusal : CaseTwinRefusals(names)) {
        plan.Refusals.push_back(std::move(refusal));
    }

    if (!bringsDescription && root) {
        // A description of the mod's own first, then a read-me; the first by name of each.
        std::sort(topFiles.begin(), topFiles.end(),
                  [&](std::size_t a, std::size_t b) { return files[a].Path < files[b].Path; });
        std::optional<std::size_t> readMe;
        for (std::size_t i : topFiles) {
            const std::string& fileName = paths[i].back();
            if (AnsiToLower(fileName) == kDescriptionMember) {
                plan.Description = i;
                break;
            }
            if (!readMe && IsReadMeName(fileName, modName)) {
                readMe = i;
            }
        }
        if (!plan.Description) {
            plan.Description = readMe;
        }
        if (plan.Description) {
            std::erase_if(plan.LeftOut, [&](const LeftOutFile& file) {
                return file.Path == files[*plan.Description].Path;
            });
        }
    }
    return plan;
}

}  // namespace

Expected<ImportReport, ImportError> ImportMod(const std::filesystem::path& source,
                                              const std::filesystem::path& target,
                                              const ImportOptions& options) {
    std::error_code error;
    if (!options.Replace && std::filesystem::exists(target, error)) {
        return Unexpected{ImportError{ImportFailure::AlreadyThere, {}, {}}};
    }
    auto opened = OpenModSource(source);
    if (!opened) {
        return Unexpected{opened.error()};
    }
    ModSource& modSource = **opened;
    auto listed = modSource.List();
    if (!listed) {
        return Unexpected{listed.error()};
    }
    const std::vector<SourceFile>& files = *listed;
    const std::u8string stem = target.stem().u8string();
    const std::string modName =
        options.ModName.empty() ? std::string(stem.begin(), stem.end()) : options.ModName;
    ModPlan plan = PlanModImport(files, modName);
    if (!plan.Refusals.empty()) {
        return Unexpected{ImportError{ImportFailure::RefusedNames, {}, std::move(plan.Refusals)}};
    }
    if (plan.Members.empty()) {
        return Unexpected{ImportError{ImportFailure::NothingToImport, {}, {}}};
    }

    auto writer = DatWriter::Create(target);
    if (!writer) {
        return Unexpected{ImportError{ImportFailure::CannotWrite, {}, {}}};
    }
    std::vector<bool> wanted(files.size(), false);
    std::vector<const std::string*> names(files.size(), nullptr);
    for (const PlannedMember& member : plan.Members) {
        wanted[member.Source] = true;
        names[member.Source] = &member.Name;
    }
    if (plan.Description) {
        wanted[*plan.Description] = true;
    }
    ImportReport report;
    report.LeftOut = std::move(plan.LeftOut);
    const auto total = static_cast<std::int64_t>(std::count(wanted.begin(), wanted.end(), true));
    std::int64_t done = 0;
    if (options.Progress) {
        options.Progress(done, total);
    }
    // The source is read on this thread, one file after another, while the workers pack what was
    // read; the writer takes the members in the order read. A few files per thread are in
    // flight, so memory stays bounded by the threads times the largest file.
    struct Packed {
        const std::string* Name;
        EncodedMember Member;
    };
    const int threads = WorkerThreads(options.Threads);
    OrderedPool<Packed> pool(threads);
    const std::size_t inFlight = 4 * static_cast<std::size_t>(threads);
    const int level = writer->Level();
    auto writeOne = [&]() -> std::optional<ImportError> {
        const Packed packed = pool.TakeNext();
        if (auto failure = writer->AddEncoded(*packed.Name, packed.Member)) {
            return WriteError(*failure);
        }
        if (options.Progress) {
            options.Progress(++done, total);
        }
        return std::nullopt;
    };
    static const std::string kDescriptionName = kDescriptionMember;
    const TakeContent take =
        [&](std::size_t index,
            std::span<const std::uint8_t> content) -> std::optional<ImportError> {
        const std::string* name = names[index];
        std::vector<std::uint8_t> bytes;
        if (name) {
            bytes.assign(content.begin(), content.end());
        } else if (auto text = DescriptionText(content)) {
            name = &kDescriptionName;
            bytes = std::move(*text);
            report.DescriptionFrom = files[index].Path;
        } else {
            report.LeftOut.push_back({files[index].Path, LeftOutKind::ReadMe});
            return std::nullopt;
        }
        if (pool.Pending() >= inFlight) {
            if (auto failure = writeOne()) {
                return failure;
            }
        }
        pool.Submit([name, level, content = std::move(bytes)] {
            return Packed{name, EncodeMember(content, MemberStorage::Smallest, level)};
        });
        return std::nullopt;
    };
    if (auto failure = modSource.Read(wanted, take)) {
        return Unexpected{*failure};
    }
    while (pool.Pending() > 0) {
        if (auto failure = writeOne()) {
            return Unexpected{*failure};
        }
    }
    // The description is the first entry, where the start-up scan looks for it; the rest is in
    // the order the game searches.
    const auto before = [](const WrittenEntry& a, const WrittenEntry& b) {
        const bool aDescribes = AnsiToLower(a.Name) == kDescriptionMember;
        const bool bDescribes = AnsiToLower(b.Name) == kDescriptionMember;
        if (aDescribes != bDescribes) {
            return aDescribes;
        }
        return MemberNameBefore(a.Name, b.Name);
    };
    if (auto failure = writer->Finish(before)) {
        return Unexpected{WriteError(*failure)};
    }
    report.Members = static_cast<std::int32_t>(writer->Entries().size());
    std::sort(report.LeftOut.begin(), report.LeftOut.end(),
              [](const LeftOutFile& a, const LeftOutFile& b) { return a.Path < b.Path; });
    return report;
}

std::string DescribeLeftOut(LeftOutKind kind) {
    switch (kind) {
        case LeftOutKind::GameFolder:
            return "belongs in the game folder, beside Fallout2.exe";
        case LeftOutKind::ReadMe:
            return "for reading";
        case LeftOutKind::Other:
            return "not part of the game's data";
    }
    return "not part of the game's data";
}

std::filesystem::path ImportArchiveName(const std::filesystem::path& source,
                                        const std::string& name) {
    std::filesystem::path file = DisplayToPath(name);
    if (name.empty()) {
        const std::filesystem::path whole = source.has_filename() ? source : source.parent_path();
        const std::u8string suffix = whole.extension().u8string();
        const std::string extension = AnsiToLower(std::string(suffix.begin(), suffix.end()));
        file = extension == ".zip" || extension == ".7z" ? whole.stem() : whole.filename();
    }
    const std::u8string text = file.u8string();
    if (!EndsWith(AnsiToLower(std::string(text.begin(), text.end())), ".dat")) {
        file += ".dat";
    }
    return file;
}

}  // namespace vrel
