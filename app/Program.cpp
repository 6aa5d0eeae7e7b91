#include "Program.h"

#include "Failure.h"
#include "RuntimeError.h"
#include "win/MessageLoop.h"

namespace tonvale {

int runProgram(HINSTANCE instance, int showCommand, const Form1Setup& setup) {
    try {
        TForm1 form(instance, setup);
        win::MessageLoop loop;
        loop.addForm(form.handle());
        form.show(showCommand);
        loop.settle();
        form.addHints();
        const std::unique_ptr<TForm2> options = createOptionsDialog(instance, form, setup);
        loop.addForm(options->handle());
        return loop.run();
    } catch (...) {
        setup.prompts->showError(nullptr, errorBoxText(describeFailure(std::current_exception())),
                                 setup.programTitle);
        return 1;
    }
}

std::unique_ptr<TForm2> createOptionsDialog(HINSTANCE instance, TForm1& mainWindow,
                                            const Form1Setup& setup) {
    auto options = std::make_unique<TForm2>(
        instance, Form2Setup{mainWindow.handle(), setup.prompts, setup.settingsPath,
                             setup.programTitle, [&mainWindow](const std::wstring& folder) {
                                 mainWindow.setStartingFolder(folder);
                             }});
    TForm2& dialog = *options;
    mainWindow.connectOptionsDialog({[&dialog] { dialog.showInFront(); },
                                     [&dialog](bool inTray) { dialog.standAlone(inTray); }});
    return options;
}

}  // namespace tonvale
