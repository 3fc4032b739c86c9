#pragma once

class QWidget;

// Escape closes the window from whichever of its controls has the keyboard.
void closeOnEscape(QWidget& window);
