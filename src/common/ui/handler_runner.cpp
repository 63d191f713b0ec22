#include "common/ui/handler_runner.h"

namespace {

// Only the tests' platform ever sets these: the real one ends the process.
struct EndRelay
{
    int waitingCalls = 0;
    bool held = false;
};

EndRelay& relay()
{
    static EndRelay state;
    return state;
}

} // namespace

void HandlerRunner::holdEndForWaitingCode()
{
    if (relay().waitingCalls > 0)
        relay().held = true;
}

namespace program_end {

ToolkitCall::ToolkitCall()
{
    ++relay().waitingCalls;
}

ToolkitCall::~ToolkitCall()
{
    if (--relay().waitingCalls == 0)
        relay().held = false;
}

void ToolkitCall::endIfHandlerEnded()
{
    if (!relay().held)
        return;
    relay().held = false;
    throw ProgramEnded{};
}

} // namespace program_end
