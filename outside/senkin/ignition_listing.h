#pragma once
// The run listing ("Out.dat") of the ignition runs: what was run and how, then per case the
// initial state, ignition delay, temperature rise, final temperature, integrator steps and wall
// time, then the outcome. Lines begin with a blank and end with CR LF.

#include <string>
#include <vector>

#include "outside/senkin/case_plan.h"
#include "outside/senkin/ignition_integrator.h"

namespace vantor::senkin {

struct ListingContext {
    std::string mechanismBinary;
    int32_t species = 0;
    int32_t reactions = 0;
    int threads = 1;
    IntegratorSettings integrator;
};

std::string ListingTitle();
// Mechanism, cases, end rule, integrator, and the rules of the recorded states.
std::string ListingRunDescription(const ListingContext& context, const RunPlan& plan);
// A run stopped by the step limit `maxSteps` before an ignition gets a warning line.
std::string ListingCase(const IgnitionCase& ignitionCase, const Mixture& mixture,
                        const std::vector<std::string>& speciesNames, const IntegrationOutcome& outcome,
                        double wallSeconds, long maxSteps);
std::string ListingLine(const std::string& text);  // " " + text + CR LF, a line for each line of text
std::string ListingError(const std::string& text);  // " * ERROR: " + text + CR LF
std::string ListingWarning(const std::string& text);  // " * WARNING: " + text + CR LF

}  // namespace vantor::senkin
