#pragma once

// Shows the busy pointer over the whole program for as long as it lives, so the normal pointer
// is back however the work ends, before any error box.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
