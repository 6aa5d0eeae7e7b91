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
        return loop.run();
    } catch (...) {
        setup.prompts->showError(nullptr, errorBoxText(describeFailure(std::current_exception())),
                                 setup.programTitle);
        return 1;
    }
}

}  // namespace tonvale
