// The form machinery: a top-level window built from its description, with its controls, its menu
// bar, anchors, the keyboard order and the focus as a form keeps them, all at the DPI of the
// monitor it is on. A form class derives from Form, adds its handlers and calls create() at the
// end of its constructor.
#pragma once

#include <windows.h>

#include <exception>
#include <string_view>
#include <vector>

#include "FormDescription.h"
#include "WindowHandles.h"

namespace tonvale::win {

class Form {
  public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND handle() const { return handle_; }
    // A control by its designer name or id; nullptr when the form has none such.
    HWND control(std::wstring_view name) const;
    HWND control(int id) const;
    HMENU menuBar() const { return menuBar_; }
    // The DPI the form is drawn at, and a length of its 96-DPI description at that DPI.
    int dpi() const { return dpi_; }
    int scaled(int designLength) const;

    // The first showing places the form and gives the focus to the first control of the
    // keyboard order; later showings leave it where it was and give the focus back to the
    // control that had it last.
    void show(int showCommand = SW_SHOW);
    void hide();

  protected:
    Form(HINSTANCE instance, const FormDescription& description);

    // Makes the window, its controls and menu bar, then runs onCreate(). Throws what made the
    // creation fail; no window is left behind then.
    void create(HWND owner = nullptr);
    void destroy();
    HINSTANCE instance() const { return instance_; }

    // The form's messages; what a form does not handle itself goes to Form::handleMessage.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Inside the creation, once the controls and the menu bar exist.
    virtual void onCreate() {}
    // After the form moved to a monitor of another scale and took its new size, font and
    // pictures: what the form sizes itself follows.
    virtual void onDpiChanged() {}
    // Enter and Esc, as the message loop's keyboard handling reports them. Enter presses the
    // push button that has the focus; Esc does nothing.
    virtual void onEnter();
    virtual void onEscape() {}
    // A failure that escaped a handler of this form: the form reports it.
    virtual void onFailure(std::exception_ptr failure) = 0;

  private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    void createControls();
    void createMenuBar();
    void fitClientArea();
    void applyAnchors(int clientWidth, int clientHeight);
    RECT scaledRect(const ControlDescription& control) const;
    void setButtonPicture(size_t index);
    void takeNewDpi(int dpi, const RECT& suggested);
    void rememberFocus();
    void restoreFocus();

    HINSTANCE instance_;
    const FormDescription& description_;
    HWND handle_ = nullptr;
    int dpi_ = 96;
    OwnedFont font_;
    std::vector<HWND> controls_;                  // one per row of the description, in its order
    std::vector<OwnedImageList> buttonPictures_;  // one per row, empty for none
    std::vector<OwnedBitmap> menuPictures_;
    HMENU menuBar_ = nullptr;  // the window destroys it with itself
    HWND lastFocus_ = nullptr;
    bool shownBefore_ = false;
    std::exception_ptr creationFailure_;
};

}  // namespace tonvale::win
