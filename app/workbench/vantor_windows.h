#pragma once
// The program's windows, created in their start-up order: the main window, the about dialog, the
// runner's timer form (its timers start at once) and the mixture wizard. The dialogs and the
// timer form belong to the main window.

#include <memory>

class TAboutCutForm;
class TMixSetForm;
class TPruvexForm;
class TShareForm;

struct VantorWindows {
    std::unique_ptr<TPruvexForm> main;
    TAboutCutForm* about = nullptr;
    TShareForm* share = nullptr;
    TMixSetForm* wizard = nullptr;
};

VantorWindows CreateVantorWindows();

// The application title, which message boxes show.
inline constexpr const char* kApplicationTitle = "Vantor4";

// Names the application "Vantor4" without a display name of its own, so that the desktop shows
// every window's caption exactly as the window sets it, with nothing appended.
void SetApplicationTitle();
