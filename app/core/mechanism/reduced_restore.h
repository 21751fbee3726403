#pragma once
// Reopening a project whose work folder already holds its reduced mechanism ("NEW_Chem.inp" of an
// earlier run): the reduced state is taken back from that file, so the reduced test, the
// comparison and "INP Save" are available again without a new reduction.

#include <string>

#include "app/core/mechanism/mechanism_model.h"

namespace vantor {

// When `workDirectory`'s NEW_Chem.inp is a reduction of the opened mechanism (its counts line
// names the same detailed species and reaction counts, and the kept species of its species
// section are species of the mechanism, as many as the counts line says), unchecks the removed
// species, takes the file's lines as the reduced text with its counts and captions, and sets
// ReducedInpReady. Otherwise leaves the model as it is and returns false.
bool RestoreReducedMechanism(MechanismModel& model, const std::string& workDirectory);

}  // namespace vantor
