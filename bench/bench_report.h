#pragma once

#include <optional>
#include <string>
#include <vector>

// The figures of one benchmark run, printed as a table: what was measured, the value, and where
// there is one, the target and whether it was met. Figures never fail a build; they inform.
class BenchReport {
public:
    void add(std::string what, std::string value, std::string target = {}, std::optional<bool> met = std::nullopt);
    void print() const;

    // One number in a printf pattern, e.g. format("%.3f s", seconds).
    [[nodiscard]] static std::string format(const char* pattern, double value);

private:
    struct Figure {
        std::string what;
        std::string value;
        std::string target;
        std::optional<bool> met;
    };
    std::vector<Figure> m_figures;
};
