#pragma once

// The program's icon, which every window of the program shows.
class ProgramIcon {
public:
    static void install();
};
