#include "archive/ModImport.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>

#include <map>

#include "TempFolder.h"
#include "archive/DatVerify.h"
#include "archive/DatWalk.h"
#include "archive/ScanDat.h"
#include "base/AnsiText.h"
#ifdef VREL_TEST_PACKED
#include "PackedArchive.h"
#endif

namespace vrel {
namespace {

using testing::Bytes;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

using Files = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

// RawZip and RawZipUtf8 take the paths as the bytes of the names, without and with the UTF-8 mark.
enum class SourceKind { Folder, Zip, SevenZip, RawZip, RawZipUtf8 };

struct ImportCase {
    const char* Label;
    SourceKind Kind;
    Files Source;  // paths with '/'
    std::optional<ImportProblem> Failure;
    // Member name (as written) -> source path whose content it holds.
    std::map<std::string, std::string> Members;
    std::string Description;  // as the start-up scan reads it
    std::vector<std::string> LeftOut;
    std::vector<std::string> Refusals;  // checked when the import is refused
    // The OEM code page of the system the case is for (its zip tools' names), or 0 for any.
    unsigned OemCodePage = 0;
};

// The code page in which a zip's unmarked names are read: on Windows the system's OEM code page,
// which Wine takes from the locale (VREL_OEM_CODE_PAGE says which the test run expects).
unsigned SystemOemCodePage() {
#ifdef _WIN32
    if (const char* expected = std::getenv("VREL_OEM_CODE_PAGE")) {
        EXPECT_EQ(GetOEMCP(), std::strtoul(expected, nullptr, 10))
            << "Wine did not take the code page from LANG: is the locale there?";
    }
    return GetOEMCP();
#else
    return 437;
#endif
}

void PrintTo(const ImportCase& testCase, std::ostream* out) {
    *out << testCase.Label;
}

std::vector<std::uint8_t> Frame(char seed, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + (i * 7) % 31 + (i % 64 == 0 ? i / 64 : 0));
    }
    return bytes;
}

// Lays the source out as a folder, .zip or .7z under `folder` and returns its path.
std::filesystem::path MakeSource(const TempFolder& folder, SourceKind kind, const Files& files) {
    if (kind == SourceKind::Folder) {
        const auto root = folder / "MyMod";
        std::filesystem::create_directories(root);
        for (const auto& [path, content] : files) {
            const auto file = root / std::filesystem::path(path);
            std::filesystem::create_directories(file.parent_path());
            WriteFile(file, content);
        }
        return root;
    }
#ifdef VREL_TEST_PACKED
    if (kind == SourceKind::RawZip || kind == SourceKind::RawZipUtf8) {
        std::vector<testing::RawZipEntry> entries;
        for (const auto& [path, content] : files) {
            entries.push_back({path, kind == SourceKind::RawZipUtf8, content});
        }
        const auto path = folder / "MyMod.zip";
        testing::WriteRawZip(path, entries);
        return path;
    }
    const bool zip = kind == SourceKind::Zip;
    const auto path = folder / (zip ? "MyMod.zip" : "MyMod.7z");
    testing::WritePackedArchive(
        path, zip ? testing::PackedFormat::Zip : testing::PackedFormat::SevenZip, files);
    return path;
#else
    return {};
#endif
}

const std::vector<std::uint8_t>* FindContent(const Files& files, const std::string& path) {
    for (const auto& [name, content] : files) {
        if (name == path) {
            return &content;
        }
    }
    return nullptr;
}

class ModImportLayouts : public ::testing::TestWithParam<ImportCase> {
protected:
    TempFolder folder_;
};

TEST_P(ModImportLayouts, ArchiveReadsBackAsTheSourceFiles) {
    const ImportCase& param = GetParam();
    if (param.Kind != SourceKind::Folder && !PackedSourcesAvailable()) {
        GTEST_SKIP() << "this build reads no .zip or .7z";
    }
    if (param.OemCodePage != 0 && SystemOemCodePage() != param.OemCodePage) {
        GTEST_SKIP() << "a case for a system whose OEM code page is " << param.OemCodePage;
    }
    const auto source = MakeSource(folder_, param.Kind, param.Source);
    const auto patches = folder_ / "Patches";
    std::filesystem::create_directory(patches);
    const auto target = patches / "MyMod.dat";

    const auto result = ImportMod(source, target);

    if (param.Failure) {
        ASSERT_FALSE(result.has_value());
        EXPECT_EQ(result.error().Kind, *param.Failure) << DescribeImportFailure(result.error());
        EXPECT_TRUE(std::filesystem::is_empty(patches)) << "nothing is left behind";
        if (!param.Refusals.empty()) {
            EXPECT_EQ(result.error().Refusals, param.Refusals);
        }
        return;
    }
    ASSERT_TRUE(result.has_value()) << DescribeImportFailure(result.error());
    std::vector<std::string> leftOut;
    for (const LeftOutFile& file : result->LeftOut) {
        leftOut.push_back(file.Path);
    }
    EXPECT_EQ(leftOut, param.LeftOut);
    EXPECT_EQ(std::filesystem::directory_iterator(patches)->path(), target) << "only the archive";

    auto walk = DatWalk::Open(target);
    ASSERT_TRUE(walk.has_value());
    std::map<std::string, std::string> seen;
    std::vector<std::string> order;
    while (auto entry = walk->NextDatEntry()) {
        order.push_back(entry->Name);
        const auto it = param.Members.find(entry->Name);
        if (it == param.Members.end() && entry->Name == "amoddesc.qrd") {
            continue;  // made from a read-me: the scan below reads it
        }
        ASSERT_NE(it, param.Members.end()) << "unexpected member " << entry->Name;
        const auto content = walk->ReadDatMember(*entry);
        ASSERT_FALSE(content.Problem) << entry->Name;
        const auto* original = FindContent(param.Source, it->second);
        ASSERT_NE(original, nullptr);
        EXPECT_EQ(content.Bytes, *original) << entry->Name;
        seen.insert(*it);
    }
    EXPECT_EQ(seen, param.Members);
    EXPECT_FALSE(walk->Problem());
    const DatScan scan = ScanDat(target, true);
    EXPECT_EQ(scan.Description, param.Description);
    EXPECT_TRUE(VerifyDat(target).Findings.empty());
    // The game searches the directory by binary search over lower-cased names.
    for (std::size_t i = 2; i < order.size(); ++i) {
        EXPECT_LT(AnsiToLower(order[i - 1]), AnsiToLower(order[i]));
    }
}

const Files kDataZip = {
    {"data/art/critters/HMWARRAA.FRM", Frame('a', 5000)},
    {"data/text/english/game/misc.msg", Bytes("{100}{}{Hello}\r\n")},
    {"ddraw.ini", Bytes("[Main]\r\n")},
    {"readme.txt", Bytes("Caf\xC3\xA9 mod\r\nby someone")},
};

INSTANTIATE_TEST_SUITE_P(
    Sources, ModImportLayouts,
    ::testing::Values(
        ImportCase{"ZipWithDataFolderAndReadMe",
                   SourceKind::Zip,
                   kDataZip,
                   std::nullopt,
                   {{"art\\critters\\HMWARRAA.FRM", "data/art/critters/HMWARRAA.FRM"},
                    {"text\\english\\game\\misc.msg", "data/text/english/game/misc.msg"}},
                   "Caf\xE9 mod\r\nby someone",
                   {"ddraw.ini"}},
        ImportCase{"SevenZipWithWrappedDataFolder",
                   SourceKind::SevenZip,
                   {{"MyMod/Data/maps/denbus1.map", Frame('m', 70'000)},
                    {"MyMod/Data/proto/items/00000001.pro", Frame('p', 60)},
                    {"MyMod/Data/amoddesc.qrd", Bytes("Own description")},
                    {"MyMod/sfall/ddraw.dll", Frame('d', 100)},
                    {"MyMod/readme.txt", Bytes("not the description")},
                    // A folder beside the wrapping one, as macOS archivers add: left out unsaid.
                    {"__MACOSX/MyMod/._readme.txt", Bytes("resource fork")}},
                   std::nullopt,
                   {{"maps\\denbus1.map", "MyMod/Data/maps/denbus1.map"},
                    {"proto\\items\\00000001.pro", "MyMod/Data/proto/items/00000001.pro"},
                    {"amoddesc.qrd", "MyMod/Data/amoddesc.qrd"}},
                   "Own description",
                   {"MyMod/readme.txt", "MyMod/sfall/ddraw.dll"}},
        ImportCase{"FolderWithTopLevelGameFolders",
                   SourceKind::Folder,
                   {{"art/intrface/iface.frm", Frame('i', 3000)},
                    {"text/english/dialog/acbrahmn.msg", Bytes("{1}{}{Brahmin}")},
                    {"MyMod.nfo", Bytes("NFO text")},
                    {"install.bat", Bytes("copy")}},
                   std::nullopt,
                   {{"art\\intrface\\iface.frm", "art/intrface/iface.frm"},
                    {"text\\english\\dialog\\acbrahmn.msg", "text/english/dialog/acbrahmn.msg"}},
                   "NFO text",
                   {"install.bat"}},
        // The data folder is looked for before the game's own folders beside it.
        ImportCase{"DataFolderBeforeGameFoldersBesideIt",
                   SourceKind::Zip,
                   {{"data/art/a.frm", Frame('a', 100)}, {"sound/x.acm", Frame('s', 100)}},
                   std::nullopt,
                   {{"art\\a.frm", "data/art/a.frm"}},
                   "No description available",
                   {"sound/x.acm"}},
        // A folder mod for sfall: the game's data folder itself, with its own data folder.
        ImportCase{"WrappedDataRootHoldingItsDataFolder",
                   SourceKind::SevenZip,
                   {{"Dayglow/art/intrface/iface.frm", Frame('i', 300)},
                    {"Dayglow/data/maps.txt", Bytes("[Map 000]")},
                    {"Dayglow/maps/dayglow.map", Frame('m', 300)},
                    {"Dayglow/mods/gl_dayglow.int", Frame('g', 30)}},
                   std::nullopt,
                   {{"art\\intrface\\iface.frm", "Dayglow/art/intrface/iface.frm"},
                    {"data\\maps.txt", "Dayglow/data/maps.txt"},
                    {"maps\\dayglow.map", "Dayglow/maps/dayglow.map"}},
                   "No description available",
                   {"Dayglow/mods/gl_dayglow.int"}},
        // Fonts and the palette lie at the top of the data folder, where the game keeps its own.
        ImportCase{
            "FontsAndPaletteAtTheTopOfTheDataRoot",
            SourceKind::Zip,
            {{"art/a.frm", Frame('a', 100)},
             {"font3.aaf", Frame('f', 100)},
             {"color.pal", Frame('c', 768)},
             {"ddraw.ini", Bytes("[Main]")},
             {"readme.txt", Bytes("Read")}},
            std::nullopt,
            {{"art\\a.frm", "art/a.frm"}, {"font3.aaf", "font3.aaf"}, {"color.pal", "color.pal"}},
            "Read",
            {"ddraw.ini"}},
        // Only a text is a description: a read-me of another kind is left to be read.
        ImportCase{"ReadMeOfAnotherKindIsNotTheDescription",
                   SourceKind::Zip,
                   {{"data/art/a.frm", Frame('a', 100)},
                    {"readme.pdf", Bytes("%PDF")},
                    {"readme.doc", Bytes("DOC")}},
                   std::nullopt,
                   {{"art\\a.frm", "data/art/a.frm"}},
                   "No description available",
                   {"readme.doc", "readme.pdf"}},
        // Notepad's "Unicode" read-mes, in either byte order.
        ImportCase{"Utf16ReadMe",
                   SourceKind::Zip,
                   {{"data/art/a.frm", Frame('a', 100)},
                    {"readme.txt", Bytes(std::string_view("\xFF\xFE"
                                                          "C\0a\0f\0\xE9\0\r\0\n\0",
                                                          14))}},
                   std::nullopt,
                   {{"art\\a.frm", "data/art/a.frm"}},
                   "Caf\xE9\r\n"},
        ImportCase{"Utf16BigEndianReadMe",
                   SourceKind::Folder,
                   {{"data/art/a.frm", Frame('a', 100)},
                    {"MyMod.txt", Bytes(std::string_view("\xFE\xFF\0C\0a\0f\0\xE9", 10))}},
                   std::nullopt,
                   {{"art\\a.frm", "data/art/a.frm"}},
                   "Caf\xE9"},
        // The mod's own description in capitals: no read-me is made a second one.
        ImportCase{"CapitalDescriptionBeforeAReadMe",
                   SourceKind::Zip,
                   {{"data/AMODDESC.QRD", Bytes("Own")},
                    {"data/art/a.frm", Frame('a', 100)},
                    {"readme.txt", Bytes("Read me")}},
                   std::nullopt,
                   {{"AMODDESC.QRD", "data/AMODDESC.QRD"}, {"art\\a.frm", "data/art/a.frm"}},
                   "Own",
                   {"readme.txt"}},
        // Every file of the folder is a member, whichever the listing gives last.
        ImportCase{"FolderOfMembersOnly",
                   SourceKind::Folder,
                   {{"data/art/a.frm", Frame('a', 100)}, {"data/proto/b.pro", Frame('b', 60)}},
                   std::nullopt,
                   {{"art\\a.frm", "data/art/a.frm"}, {"proto\\b.pro", "data/proto/b.pro"}},
                   "No description available",
                   {}},
        // An NFO read-me is in code page 437; its line art is drawn again in ASCII.
        ImportCase{"NfoReadMeInCodePage437",
                   SourceKind::Zip,
                   {{"data/art/a.frm", Frame('a', 100)},
                    {"MyMod.nfo", Bytes("\xC9\xCD\xBB Caf\x82 \xDB\xB3")}},
                   std::nullopt,
                   {{"art\\a.frm", "data/art/a.frm"}},
                   "+-+ Caf\xE9 #|",
                   {}},
        // Names outside ASCII in any of the forms that zip tools write: left out, they are only
        // listed; inside data they become members in the archive's code page.
        ImportCase{"ZipNamesWithoutUtf8MarkInCodePages866And1251",
                   SourceKind::RawZip,
                   {{"Mod/data/text/english/game/caf\x82.msg", Bytes("{1}{}{Caf\x82}")},
                    {"Mod/\x8F\xE0\xAE\xE7\xE2\xA8 \xAC\xA5\xAD\xEF.txt", Bytes("866")},
                    {"Mod/\xCF\xF0\xEE\xF7\xF2\xE8 \xEC\xE5\xED\xFF.txt", Bytes("1251")}},
                   std::nullopt,
                   {{"text\\english\\game\\caf\xE9.msg", "Mod/data/text/english/game/caf\x82.msg"}},
                   "No description available",
                   {"Mod/\u00C5\u03B1\u00AB\u03C4\u0393\u00BF \u00BC\u00D1\u00A1\u2229.txt",
                    "Mod/\u2567\u2261\u03B5\u2248\u2265\u03A6 \u221E\u03C3\u03C6\u00A0.txt"}},
        // Windows' own "Send to compressed folder" on a Russian system: every name, the folders'
        // own entries too, in code page 866 without the mark.
        ImportCase{
            "ZipSentToACompressedFolderOnARussianSystem",
            SourceKind::RawZip,
            {{"\x8C\xAE\xA4/", {}},
             {"\x8C\xAE\xA4/data/", {}},
             {"\x8C\xAE\xA4/data/scripts/", {}},
             {"\x8C\xAE\xA4/data/scripts/a.int", Frame('s', 300)},
             {"\x8C\xAE\xA4/\x8F\xE0\xAE\xE7\xE2\xA8 \xAC\xA5\xAD\xEF.txt", Bytes("866")}},
            std::nullopt,
            {{"scripts\\a.int", "\x8C\xAE\xA4/data/scripts/a.int"}},
            "No description available",
            {"\u041C\u043E\u0434/\u041F\u0440\u043E\u0447\u0442\u0438 \u043C\u0435\u043D\u044F.txt"},
            {},
            866},
        ImportCase{"ZipNamesWithUtf8Mark",
                   SourceKind::RawZipUtf8,
                   {{"Mod/data/text/caf\u00E9.msg", Bytes("{1}{}{Cafe}")},
                    {"Mod/Lisez-moi \u00E9.txt", Bytes("Lisez")},
                    {"Mod/\u041F\u0440\u043E\u0447\u0442\u0438.txt", Bytes("Read")}},
                   std::nullopt,
                   {{"text\\caf\xE9.msg", "Mod/data/text/caf\u00E9.msg"}},
                   "No description available",
                   {"Mod/Lisez-moi \u00E9.txt", "Mod/\u041F\u0440\u043E\u0447\u0442\u0438.txt"}},
        ImportCase{"LeftOutNameWithAColon",
                   SourceKind::Zip,
                   {{"data/art/a.frm", Frame('a', 100)}, {"Notes: read first.txt", Bytes("N")}},
                   std::nullopt,
                   {{"art\\a.frm", "data/art/a.frm"}},
                   "No description available",
                   {"Notes: read first.txt"}},
        ImportCase{"SevenZipWithCyrillicNames",
                   SourceKind::SevenZip,
                   {{"\u041C\u043E\u0434/data/art/a.frm", Frame('a', 100)},
                    {"\u041C\u043E\u0434/\u041F\u0440\u043E\u0447\u0442\u0438.txt", Bytes("Read")}},
                   std::nullopt,
                   {{"art\\a.frm", "\u041C\u043E\u0434/data/art/a.frm"}},
                   "No description available",
                   {"\u041C\u043E\u0434/\u041F\u0440\u043E\u0447\u0442\u0438.txt"}},
        ImportCase{
            "MemberNameOutsideTheCodePageIsRefusedByName",
            SourceKind::RawZipUtf8,
            {{"data/text/\u041F\u0440\u043E\u0447\u0442\u0438.msg", Bytes("{1}{}{x}")}},
            ImportProblem::RefusedNames,
            {},
            "",
            {},
            {"data/text/\u041F\u0440\u043E\u0447\u0442\u0438.msg: the name cannot be written in Windows-1252"}},
        ImportCase{"OnlyGameFolderFilesAreRefused",
                   SourceKind::Zip,
                   {{"ddraw.ini", Bytes("[Main]")}},
                   ImportProblem::NothingToImport},
        // Named by their files, in the source's own form; another name sorts between them by
        // their bytes, not in the game's order.
        // In a .zip, since a folder cannot hold case twins on Windows.
        ImportCase{"CaseTwinsAreRefusedByTheirFiles",
                   SourceKind::Zip,
                   {{"data/ART/x.frm", Frame('a', 10)},
                    {"data/MAPS/y.map", Frame('m', 10)},
                    {"data/art/x.frm", Frame('b', 10)}},
                   ImportProblem::RefusedNames,
                   {},
                   "",
                   {},
                   {"data/art/x.frm: differs from data/ART/x.frm only in letter case"}},
        ImportCase{"UnsafeNameIsRefused",
                   SourceKind::Zip,
                   {{"data/art/a.frm", Frame('a', 10)}, {"data/../../evil.dll", Frame('e', 10)}},
                   ImportProblem::RefusedNames},
        ImportCase{"NameOver40CharactersIsKeptWhole",
                   SourceKind::Folder,
                   {{"data/text/portuguese/game/g_healing_revision.msg", Bytes("{1}{}{Cura}")}},
                   std::nullopt,
                   {{"text\\portuguese\\game\\g_healing_revision.msg",
                     "data/text/portuguese/game/g_healing_revision.msg"}},
                   "No description available"},
        ImportCase{"NameOver255CharactersIsRefused",
                   SourceKind::Folder,
                   {{"data/art/" + std::string(120, 'a') + "/" + std::string(130, 'b') + ".frm",
                     Frame('a', 10)}},
                   ImportProblem::RefusedNames}),
    [](const ::testing::TestParamInfo<ImportCase>& caseInfo) { return caseInfo.param.Label; });

#ifdef VREL_TEST_PACKED
// A .zip cut short is reported as damaged, and an archive already there stays as it was.
TEST(ModImport, TruncatedZipLeavesNothingAndKeepsTheOldArchive) {
    TempFolder folder;
    const auto zip = folder / "MyMod.zip";
    testing::WritePackedArchive(
        zip, testing::PackedFormat::Zip,
        {{"data/art/a.frm", Frame('a', 200'000)}, {"data/art/b.frm", Frame('b', 200'000)}});
    std::filesystem::resize_file(zip, std::filesystem::file_size(zip) / 2);
    const auto patches = folder / "Patches";
    std::filesystem::create_directory(patches);
    const auto target = patches / "MyMod.dat";
    WriteFile(target, "old archive");

    const auto result = ImportMod(zip, target, {.Replace = true});

    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().Kind, ImportProblem::DamagedSource);
    EXPECT_EQ(ReadFile(target), Bytes("old archive"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(patches),
                            std::filesystem::directory_iterator()),
              1);
}
#endif

}  // namespace
}  // namespace vrel
