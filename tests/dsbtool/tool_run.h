#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What a run of the real dsbtool binary gave.
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs dsbtool with args in folder, with SOURCE_DATE_EPOCH set to epoch or removed; its standard
// output goes to `output` where one is given (ToolRun::out then stays empty).
[[nodiscard]] ToolRun runDsbtool(const std::vector<std::string>& args, const std::filesystem::path& folder,
                                 const std::optional<std::string>& epoch = std::nullopt,
                                 const std::optional<std::filesystem::path>& output = std::nullopt);
