// dsbtool: makes Tarvolyn's data files from their TSV sources, and shows what any Jet file holds.

#include "commands.h"
#include "usage_error.h"

#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage = R"(Usage: dsbtool build OUT.dsb SOURCE.tsv
       dsbtool dump FILE [TABLE]
       dsbtool tables FILE
       dsbtool --help

build   Makes the Jet 4 (Access 2000) data file OUT.dsb, with one table Dict, from
        SOURCE.tsv: UTF-8 text whose first line names the columns (letters, digits
        and spaces) and whose every further line is one row, its cells separated by
        tabs; LF or CRLF line ends. An empty cell is stored as NULL; a value may have
        up to 255 UTF-16 units (one per character, two beyond U+FFFF). Errors are
        reported as SOURCE.tsv:LINE: or SOURCE.tsv:LINE:CELL:, counting cells from 1,
        and leave OUT.dsb as it was.
        The file's creation date is $SOURCE_DATE_EPOCH if set, else 2000-01-01, so
        the same source always gives the same bytes.
dump    Prints a table of any Jet 3 or Jet 4 database as TSV in the same form:
        TABLE, else the table Dict, else the file's only table. NULL and empty
        values both print as an empty cell; a tab or line break inside a value
        prints as a space.
tables  Lists the user tables of a Jet 3 or Jet 4 database with their row counts.

Exit status: 0 done, 1 bad input or file, 2 wrong command line.
)";

int run(const std::vector<std::string>& args)
{
    if (args.empty()) throw UsageError("no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << Usage;
        return 0;
    }
    const std::size_t operands = args.size() - 1;
    if (command == "build") {
        if (operands != 2) throw UsageError("build takes OUT.dsb and SOURCE.tsv");
        return buildDataFile(args[1], args[2]);
    }
    if (command == "dump") {
        if (operands != 1 && operands != 2) throw UsageError("dump takes FILE and optionally TABLE");
        return dumpTable(args[1], operands == 2 ? std::optional<std::string>(args[2]) : std::nullopt);
    }
    if (command == "tables") {
        if (operands != 1) throw UsageError("tables takes FILE");
        return listTables(args[1]);
    }
    throw UsageError("unknown command \"" + command + "\"");
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "dsbtool: " << error.what() << "\n\n" << Usage;
        return 2;
    } catch (const std::bad_alloc&) {
        std::cerr << "dsbtool: out of memory\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}
