#include "Program.h"

#include "Failure.h"
#include "RuntimeError.h"

namespace tonvale {

namespace {

Form2Setup optionsSetup(TForm1& mainWindow, const Form1Setup& setup) {
    return Form2Setup{
        mainWindow.handle(),
        setup.prompts,
        setup.settingsPath,
        setup.programTitle,
        [&mainWindow](const std::wstring& folder) { mainWindow.setStartingFolder(folder); },
        [&mainWindow] { return mainWindow.pictureOptions(); },
        [&mainWindow](const PictureOptions& options) { mainWindow.setPictureOptions(options); },
        &mainWindow.gate()};
}

}  // namespace

int runProgram(HINSTANCE instance, int showCommand, const Form1Setup& setup) {
    try {
        TForm1 form(instance, setup);
        win::MessageLoop loop;
        loop.addForm(form.handle());
        OptionsDialogOnDemand options(instance, form, setup, loop);
        form.show(showCommand);
        return loop.run([&] {
            form.addHints();
            options.dialog();
        });
    } catch (...) {
        setup.prompts->showError(nullptr, errorBoxText(describeFailure(std::current_exception())),
                                 setup.programTitle);
        return 1;
    }
}

OptionsDialogOnDemand::OptionsDialogOnDemand(HINSTANCE instance, TForm1& mainWindow,
                                             const Form1Setup& setup, win::MessageLoop& loop)
    : instance_(instance), mainWindow_(mainWindow), setup_(setup), loop_(loop) {
    mainWindow_.connectOptionsDialog({[this] { dialog().showInFront(); },
                                      [this](bool inTray) {
                                          mainWindowInTray_ = inTray;
                                          if (dialog_) {
                                              dialog_->standAlone(inTray);
                                          }
                                      },
                                      [this](bool enabled) {
                                          if (dialog_) {
                                              EnableWindow(dialog_->handle(), enabled);
                                          }
                                      }});
}

TForm2& OptionsDialogOnDemand::dialog() {
    if (!dialog_) {
        auto made = std::make_unique<TForm2>(instance_, optionsSetup(mainWindow_, setup_));
        if (mainWindowInTray_) {
            made->standAlone(true);
        }
        loop_.addForm(made->handle());
        dialog_ = std::move(made);
    }
    return *dialog_;
}

}  // namespace tonvale
