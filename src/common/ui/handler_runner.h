#pragma once

#include "common/ui/platform.h"

#include <utility>

// How an end of the program raised inside an event handler behaves as it
// always has: the rest of the handler does not run, and neither does
// the window code that set the event off.
//
// The real platform ends the process at once. The tests' platform throws
// ProgramEnded instead, which must never unwind through the toolkit's signal
// delivery. So it crosses the toolkit in two halves, both here:
//
// - runHandler() is where the toolkit calls into a window: it catches the
//   end. When window code is waiting beneath the toolkit's call (see
//   raisingEvents()), the end is held for it; otherwise the end is complete.
// - raisingEvents() is where window code hands control to the toolkit and
//   may be called back (a control's text or value set from code, a window
//   shown, a signal the program wires): once the toolkit returns, an end
//   held meanwhile is thrown on from there.
//
// The controls and the window registry raise their events through
// raisingEvents(), so window code needs no check of its own after a call.
// A window inherits HandlerRunner privately and connects each signal
// through runHandler().
class HandlerRunner
{
public:
    template<typename Handler>
    void runHandler(Handler&& handler)
    {
        try {
            std::forward<Handler>(handler)();
        } catch (const ProgramEnded&) {
            holdEndForWaitingCode();
        }
    }

private:
    static void holdEndForWaitingCode();
};

namespace program_end {

// Counts window code waiting on the toolkit while it lives, and throws an
// end held meanwhile on as it goes (unless it goes by an exception).
class ToolkitCall
{
public:
    ToolkitCall();
    ~ToolkitCall();
    ToolkitCall(const ToolkitCall&) = delete;
    ToolkitCall& operator=(const ToolkitCall&) = delete;

    // Throws ProgramEnded when a handler ended the program during the call.
    void endIfHandlerEnded();
};

} // namespace program_end

// Runs `call`, which may raise events handled by the program; an end of the
// program that a handler raised goes on from here.
template<typename Call>
void raisingEvents(Call&& call)
{
    program_end::ToolkitCall toolkitCall;
    std::forward<Call>(call)();
    toolkitCall.endIfHandlerEnded();
}
