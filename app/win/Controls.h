// Thin wrappers over child windows the form owns: each method is one message to the control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace tonvale::win {

class Control {
  public:
    Control() = default;
    explicit Control(HWND handle) : handle_(handle) {}
    HWND handle() const { return handle_; }
    std::wstring text() const;
    void setText(const std::wstring& text) const { SetWindowTextW(handle_, text.c_str()); }

  protected:
    HWND handle_ = nullptr;
};

// Where `child` lies in the client area of `container`.
RECT rectIn(HWND container, HWND child);

// Shows `text` when the pointer rests on `tool`, a control of `owner`.
void addHint(HINSTANCE instance, HWND owner, HWND tool, const wchar_t* text);

class EditControl : public Control {
  public:
    using Control::Control;
    // Adds a whole line at the end, as a log does, and keeps it in view.
    void appendLine(const std::wstring& line) const;
    // The lines of a multi-line edit, without the empty one after the last line break.
    std::vector<std::wstring> lines() const;
};

class StatusBarControl : public Control {
  public:
    using Control::Control;
    void setPanelWidths(const std::vector<int>& widths) const;
    void setPanelText(int panel, const std::wstring& text) const;
    std::wstring panelText(int panel) const;
    int panelCount() const;
    std::vector<int> panelRightEdges() const;
};

class ProgressBarControl : public Control {
  public:
    using Control::Control;
    void setMaximum(int maximum) const;
    void setPosition(int position) const;
    int maximum() const;
    int position() const;
};

class ListViewControl : public Control {
  public:
    using Control::Control;
    void addColumn(int index, const wchar_t* caption, int width) const;
    void setColumnWidth(int index, int width) const;
    int columnWidth(int index) const;
    std::wstring columnCaption(int index) const;
    // The rows of a list that holds no items of its own (LVS_OWNERDATA), which asks its parent
    // for the text of the rows it shows.
    void setItemCount(int count) const;
    void redrawItem(int item) const;
    void insertItem(int item, const std::wstring& text) const;
    void setItemText(int item, int column, const std::wstring& text) const;
    void deleteItem(int item) const;
    void deleteAllItems() const;
    int itemCount() const;
    std::wstring itemText(int item, int column) const;
};

class TabControl : public Control {
  public:
    using Control::Control;
    void addTab(int index, const std::wstring& caption, int image) const;
    int tabCount() const;
    std::wstring tabCaption(int index) const;
    int selected() const;
    void select(int index) const;
};

}  // namespace tonvale::win
