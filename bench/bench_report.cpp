#include "bench_report.h"

#include <cstdio>

void BenchReport::add(std::string what, std::string value, std::string target, std::optional<bool> met)
{
    m_figures.push_back({std::move(what), std::move(value), std::move(target), met});
}

void BenchReport::print() const
{
    for (const Figure& f : m_figures) {
        std::printf("  %-44s %-22s", f.what.c_str(), f.value.c_str());
        if (!f.target.empty())
            std::printf(" target %-12s %s", f.target.c_str(), f.met ? (*f.met ? "met" : "MISSED") : "");
        std::printf("\n");
    }
}

std::string BenchReport::format(const char* pattern, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}
