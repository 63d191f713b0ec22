#pragma once

// How a statement of the main window's load and list filling runs: under
// the load's failure handling with its line label, or with its failures
// ignored. Included by the files that define the load and the list filling.

#include "input/ui/frm_delivery.h"

template<typename Statement>
FrmDelivery::LoadReaction FrmDelivery::loadStep(int label, Statement&& statement)
{
    LoadReaction reaction = LoadReaction::Continue;
    try {
        statement();
    } catch (const RuntimeError& error) {
        reaction = loadFailure(error, label < 0 ? 0 : label);
    }
    return reaction;
}

template<typename Statement>
void FrmDelivery::ignoringFailures(Statement&& statement)
{
    try {
        statement();
    } catch (const RuntimeError&) {
        // The load's first and last steps go on whatever fails.
    }
}
