#include "commands.h"
#include "jet4/reader.h"

#include <iostream>
#include <stdexcept>

int listTables(const std::filesystem::path& file)
{
    const jet4::Database database = jet4::Database::open(file);
    for (const auto& name : database.tableNames())
        std::cout << name << '\t' << database.readTable(name).rowCount() << '\n';
    std::cout.flush();
    if (!std::cout) throw std::runtime_error("standard output: cannot write");
    return 0;
}
