#pragma once

#include "common/ui/platform.h"

#include <utility>

// How a window runs its event handlers so that ending the program from
// inside one behaves as it did on the old run-time: the rest of the handler
// does not run, and neither does the code that set the event off.
//
// The real platform ends the process at once. The tests' platform throws
// ProgramEnded instead, which must never unwind through the toolkit's signal
// delivery: runHandler() catches it where the toolkit called in and
// remembers it, and the window's own code calls endIfEnded() after every
// statement that may have raised an event (setting a combo box's text,
// showing another window), which throws it on from there.
//
// A window inherits this privately and connects each signal through
// runHandler().
class HandlerRunner
{
public:
    template<typename Handler>
    void runHandler(Handler&& handler)
    {
        try {
            std::forward<Handler>(handler)();
        } catch (const ProgramEnded&) {
            m_ended = true;
        }
    }

    void endIfEnded() const
    {
        if (m_ended)
            throw ProgramEnded{};
    }

    // Whether a handler ended the program.
    bool programEnded() const { return m_ended; }

private:
    bool m_ended = false;
};
