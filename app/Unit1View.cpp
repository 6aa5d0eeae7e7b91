// TForm1 as the workspace's view: what the commands tell the window, and the error box that
// ends a failed one.
#include "Unit1.h"

#include "Failure.h"
#include "RuntimeError.h"

namespace tonvale {

void TForm1::onFailure(std::exception_ptr failure) {
    showFailure(failure);
}

void TForm1::showFailure(std::exception_ptr failure) {
    logBatch_.show();
    const BoxOpen box(*this);
    setup_.prompts->showError(handle(), errorBoxText(describeFailure(failure)),
                              setup_.programTitle);
}

void TForm1::setStatusPanel(int panel, const std::wstring& text) {
    StatusBar1.setPanelText(panel, text);
}

// A command's lines and the bar's position are shown when it ends or refreshes the window.
void TForm1::appendLog(const std::wstring& line) {
    logBatch_.append(line);
    if (!gate_.commandRunning()) {
        logBatch_.show();
    }
}

void TForm1::resetProgress() {
    logBatch_.forgetPosition();
    ProgressBar1.setMaximum(0);
    ProgressBar1.setPosition(0);
}

void TForm1::setProgressMaximum(int maximum) {
    ProgressBar1.setMaximum(maximum);
}

void TForm1::setProgressPosition(int position) {
    logBatch_.setPosition(position);
    if (!gate_.commandRunning()) {
        logBatch_.show();
    }
}

void TForm1::refresh() {
    uploadFeedback_.refresh();
}

void TForm1::showBytesWritten(uint64_t written, uint64_t total) {
    uploadFeedback_.showBytesWritten(written, total);
}

void TForm1::showPhoneFolder(const std::wstring& folder) {
    Edit1.setText(folder);
}

void TForm1::showPendingTotal(const std::wstring& text) {
    Edit2.setText(text);
}

void TForm1::showFreeSpaceFigure(const std::wstring& text) {
    Edit3.setText(text);
}

}  // namespace tonvale
