#pragma once

#include <utility>

// The answer to the next modal window of one kind, for tests. The code that shows such a window
// asks the hook first; a test sets the answer beforehand, and it is used once. One hook per
// answer type.
template <typename Answer> class ModalHook {
public:
    static void setNext(Answer answer) { next() = std::move(answer); }
    // The answer set for the window about to show, taken; empty (false) when none is.
    [[nodiscard]] static Answer take() { return std::exchange(next(), Answer{}); }

private:
    [[nodiscard]] static Answer& next()
    {
        static Answer answer;
        return answer;
    }
};
