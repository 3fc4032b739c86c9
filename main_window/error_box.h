#pragma once

#include <QString>
#include <exception>

class QWidget;

// The program's one error box: titled with the application's name, a stop icon, "OK" and the
// error's message. Every handler runs through guard(), the one place where errors are caught,
// shown, and the program goes on.
class ErrorBox {
public:
    // The message as the box shows it: a full stop is added when the text ends in a character
    // that sorts after "." (a letter, a digit, "?" or ":"), not after ".", "!", ")" or a space.
    [[nodiscard]] static QString messageText(const QString& message);
    static void show(const QString& message, QWidget* parent = nullptr);

    template <typename Handler> static void guard(Handler&& handler, QWidget* parent = nullptr)
    {
        try {
            handler();
        } catch (const std::exception& error) {
            show(QString::fromUtf8(error.what()), parent);
        }
    }
};
