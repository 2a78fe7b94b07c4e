// Lays out a demo: a program folder with settings and sample mods, and a stand-in game folder.
// Usage: make_demo SHIPPED_VREL_CFG DEMO_FOLDER
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "DatImage.h"
#include "config/SaveSettings.h"
#include "config/SettingsText.h"
#include "config/VrelCFG.h"

namespace {

std::vector<std::uint8_t> Text(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::uint8_t> Filler(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * seed + i / 64) & 0xFF);
    }
    return bytes;
}

void WriteArchive(const std::filesystem::path& path,
                  const std::vector<vrel::ImageMember>& members) {
    const auto image = vrel::BuildDatImage(members);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_demo SHIPPED_VREL_CFG DEMO_FOLDER\n";
        return 2;
    }
    const std::filesystem::path demo = std::filesystem::absolute(argv[2]);
    const std::filesystem::path program = demo / "program";
    const std::filesystem::path game = demo / "game";
    const std::filesystem::path patches = program / "Patches";
    std::filesystem::create_directories(patches);
    std::filesystem::create_directories(game);

    // The shipped settings, past the first run, pointing at the stand-in game.
    vrel::VrelCFG config;
    config.GetConf(argv[1]);
    config.cfgGeneral = {.FirstTimeRun = false,
                         .Sound = true,
                         .LoadModDesc = true,
                         .DeleteDataFiles = true,
                         .CheckConflicts = true};
    config.cfgPath.AppPath = vrel::PathToSettings(program);
    config.cfgPath.Fallout2 = vrel::PathToSettings(game);
    if (auto saved = config.PutConf(program / "vrel.cfg"); !saved) {
        std::cerr << vrel::DescribeSaveFailure(saved.error()) << "\n";
        return 1;
    }

    using vrel::MemberStorage;
    WriteArchive(patches / "patch000.dat", {{.Name = "text\\english\\game\\proto.msg",
                                             .Content = Text("{100}{}{Patched}\r\n")}});
    WriteArchive(patches / "Arroyo_Textures.dat",
                 {{.Name = "amoddesc.qrd",
                   .Content = Text("Sharper Arroyo ground tiles and a greener river bank.")},
                  {.Name = "art\\tiles\\arr001.frm", .Content = Filler(6000, 3)},
                  {.Name = "art\\tiles\\arr002.frm", .Content = Filler(5200, 5)}});
    WriteArchive(patches / "Better_Bartering.dat",
                 {{.Name = "amoddesc.qrd",
                   .Content = Text("Traders restock every week and pay fair prices for loot.")},
                  {.Name = "text\\english\\game\\misc.msg", .Content = Text("{1}{}{Barter}\r\n")},
                  {.Name = "proto\\items\\00000041.pro",
                   .Content = Filler(120, 7),
                   .Storage = MemberStorage::Stored}});
    WriteArchive(
        patches / "Vault_City_Fixes.dat",
        {{.Name = "amoddesc.qrd",
          .Content = Text("Fixes the Vault City council dialogue and two stuck quests.")},
         {.Name = "scripts\\vcouncil.int", .Content = Filler(3000, 11)},
         {.Name = "text\\english\\game\\misc.msg", .Content = Text("{1}{}{Council}\r\n")}});
    WriteArchive(
        patches / "Wasteland_Nights.dat",
        {{.Name = "amoddesc.qrd", .Content = Text("Darker nights with a new moonlit palette.")},
         {.Name = "color.pal", .Content = Filler(768, 13)}});

    // The stand-in game: plays for a few seconds, then ends.
    const std::filesystem::path exe = game / "Fallout2.exe";
    std::ofstream(exe) << "#!/bin/sh\nsleep 5\n";
    std::filesystem::permissions(exe, std::filesystem::perms::owner_all |
                                          std::filesystem::perms::group_read |
                                          std::filesystem::perms::group_exec);
    std::cout << demo.string() << "\n";
    return 0;
}
