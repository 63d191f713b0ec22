#pragma once

// How a statement of the main window's load, list filling and handlers
// runs: under the load's failure handling with its line label, with its
// failures ignored, or stopping quietly at one. Included by the files of the
// main window that run them.

#include "common/result.h"
#include "input/ui/frm_delivery.h"

template<typename Statement>
FrmDelivery::LoadReaction FrmDelivery::loadStep(int label, Statement&& statement)
{
    const Result<void> done = attempt(std::forward<Statement>(statement));
    return done ? LoadReaction::Continue : loadFailure(done.failure(), label < 0 ? 0 : label);
}

template<typename Statement>
void FrmDelivery::ignoringFailures(Statement&& statement)
{
    // The load's first and last steps go on whatever fails.
    [[maybe_unused]] const Result<void> done = attempt(std::forward<Statement>(statement));
}

// Runs a handler's body; a failed read stops it without a message, as the
// operator only sees what was not filled.
template<typename Body>
void stopQuietlyOnFailure(Body&& body)
{
    [[maybe_unused]] const Result<void> done = attempt(std::forward<Body>(body));
}
