#pragma once

#include "data_folder.h"
#include "main_window/Unit1.h"

#include <memory>

// What the main window's tests share: the program's name and fonts, and for each test a working
// directory of generated data files with a main window made on it. A test class derives from it
// and calls it from its own initTestCase(), init() and cleanup().
class MainWindowFixture {
protected:
    // Once per test program, before the first window.
    static void prepareApplication();
    // A fresh data folder, and the main window made on it, not yet shown.
    void makeForm();
    // Shows the window and waits until it is exposed.
    [[nodiscard]] bool exposeForm() const;
    // The window first: it holds a file of the folder open.
    void releaseForm();

    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<TForm1> m_form;
};
