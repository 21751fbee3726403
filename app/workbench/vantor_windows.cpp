#include "app/workbench/vantor_windows.h"

#include <QCoreApplication>

#include "app/runner/share_form.h"
#include "app/workbench/aboutcut_form.h"
#include "app/workbench/locale_numbers.h"
#include "app/workbench/mixset_form.h"
#include "app/workbench/pruvex_form.h"

void SetApplicationTitle() { QCoreApplication::setApplicationName(kApplicationTitle); }

VantorWindows CreateVantorWindows() {
    VantorWindows windows;
    windows.main = std::make_unique<TPruvexForm>();
    windows.about = new TAboutCutForm(windows.main.get());
    windows.share = new TShareForm(*windows.main, windows.main.get());
    windows.wizard = new TMixSetForm(vantor::UserLocaleNumbers(), windows.main.get());
    windows.main->SetAboutForm(windows.about);
    windows.main->SetMixtureWizard(windows.wizard);
    return windows;
}
