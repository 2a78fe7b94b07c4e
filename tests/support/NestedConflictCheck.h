#pragma once

// The plain comparison of every name of one picked archive with every name of a later one,
// written as directly as the rule reads. The fast check must give the very same lines.
#include <string>
#include <vector>

#include "archive/Catalogue.h"
#include "archive/ConflictCheck.h"
#include "base/AnsiText.h"
#include "base/PathHelpers.h"

namespace vrel::testing {

inline ConflictReport NestedConflictCheck(FalloutDat_Collection& FalloutDats) {
    static const std::vector<std::string> heavyExtensions{"lst", "cfg", "pal", "txt", "gam",
                                                          "msk", "map", "int", "msg"};
    ConflictReport report;
    bool heavy = false;
    std::vector<int> cleared;
    for (int a = 1; a <= FalloutDats.Count(); ++a) {
        if (!FalloutDats.Item(a).Selected) {
            continue;
        }
        FalloutDats.Item(a).Selected = false;
        cleared.push_back(a);
        for (int b = 1; b <= FalloutDats.Count(); ++b) {
            if (b == a || !FalloutDats.Item(b).Selected) {
                continue;
            }
            const FileInDat_Collection& namesA = *FalloutDats.Item(a).Files;
            const FileInDat_Collection& namesB = *FalloutDats.Item(b).Files;
            for (int i = 1; i <= namesA.Count(); ++i) {
                for (int j = 1; j <= namesB.Count(); ++j) {
                    const std::string& x = namesA.Item(i).FullPath;
                    if (x != namesB.Item(j).FullPath) {
                        continue;
                    }
                    if (AnsiToLower(x) == "data\\vault13.gam" || AnsiToLower(x) == "amoddesc.qrd") {
                        continue;
                    }
                    report.Lines.push_back(
                        AnsiToUtf8(x) + " on " +
                        GetFileName(PathToDisplay(FalloutDats.Item(a).FullPath)) +
                        " conflicts with " +
                        GetFileName(PathToDisplay(FalloutDats.Item(b).FullPath)));
                    const std::string extension =
                        AnsiToLower(x.size() > 3 ? x.substr(x.size() - 3) : x);
                    for (const std::string& candidate : heavyExtensions) {
                        if (extension == candidate) {
                            heavy = true;
                        }
                    }
                }
            }
        }
    }
    for (const int position : cleared) {
        FalloutDats.Item(position).Selected = true;
    }
    if (!report.Lines.empty()) {
        report.Verdict = heavy ? ConflictVerdict::Heavy : ConflictVerdict::Minor;
    }
    return report;
}

}  // namespace vrel::testing
