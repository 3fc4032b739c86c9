#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Whole files in and out, as bytes or as text (no newline translation).
[[nodiscard]] std::string readText(const std::filesystem::path& path);
[[nodiscard]] std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);
void writeText(const std::filesystem::path& path, const std::string& text);
void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
