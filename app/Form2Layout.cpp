#include "Form2Layout.h"

#include <array>

namespace tonvale {

namespace {

using win::AnchorTopLeft;
using win::ControlDescription;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kGroup = kChild | BS_GROUPBOX;
// The radio groups have no function yet: shown, but neither they nor their items take input.
constexpr DWORD kRadio = kChild | WS_DISABLED | BS_AUTORADIOBUTTON;
constexpr DWORD kFirstRadio = kRadio | WS_GROUP | WS_TABSTOP;
constexpr DWORD kNumberField = kChild | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER | ES_RIGHT;

// The creation order is the keyboard order: OK, the field, No, Defaults, the two radio groups,
// then the pictures' check box and the screen's width and height. The group boxes, holding
// controls, end up beneath them all. The pictures' group stands right of the others, so that
// each of them keeps its place.
constexpr std::array<ControlDescription, 20> controls{{
    {IdForm2BitBtn1, L"BitBtn1", L"Button", 0, 8, 248, 75, 25, L"OK", kButton | BS_DEFPUSHBUTTON, 0,
     AnchorTopLeft, L"BTN_OK"},
    {IdForm2GroupBox1, L"GroupBox1", L"Button", 0, 8, 8, 233, 49, L"OpenDialog InitialDir:", kGroup,
     0, AnchorTopLeft, nullptr},
    {IdForm2Edit2, L"Edit2", L"Edit", IdForm2GroupBox1, 8, 16, 217, 21, L"",
     kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, AnchorTopLeft, nullptr},
    {IdForm2BitBtn2, L"BitBtn2", L"Button", 0, 88, 248, 75, 25, L"&No", kButton, 0, AnchorTopLeft,
     L"BTN_NO"},
    {IdForm2BitBtn3, L"BitBtn3", L"Button", 0, 168, 248, 75, 25, L"&Defaults",
     kButton | WS_DISABLED, 0, AnchorTopLeft, L"BTN_RETRY"},
    {IdForm2RadioGroup1, L"RadioGroup1", L"Button", 0, 8, 64, 233, 105, L"Default Tab:",
     kGroup | WS_DISABLED, 0, AnchorTopLeft, nullptr},
    {IdForm2RadioGroup1Item0, L"RadioGroup1Item0", L"Button", IdForm2RadioGroup1, 8, 16, 217, 17,
     L"Picture", kFirstRadio, 0, AnchorTopLeft, nullptr},
    {IdForm2RadioGroup1Item1, L"RadioGroup1Item1", L"Button", IdForm2RadioGroup1, 8, 33, 217, 17,
     L"Music", kRadio, 0, AnchorTopLeft, nullptr},
    {IdForm2RadioGroup1Item2, L"RadioGroup1Item2", L"Button", IdForm2RadioGroup1, 8, 50, 217, 17,
     L"Video", kRadio, 0, AnchorTopLeft, nullptr},
    {IdForm2RadioGroup1Item3, L"RadioGroup1Item3", L"Button", IdForm2RadioGroup1, 8, 67, 217, 17,
     L"Palette", kRadio, 0, AnchorTopLeft, nullptr},
    {IdForm2RadioGroup1Item4, L"RadioGroup1Item4", L"Button", IdForm2RadioGroup1, 8, 84, 217, 17,
     L"Menu", kRadio, 0, AnchorTopLeft, nullptr},
    {IdForm2RadioGroup2, L"RadioGroup2", L"Button", 0, 8, 176, 233, 65, L"Connect Tipe:",
     kGroup | WS_DISABLED, 0, AnchorTopLeft, nullptr},
    {IdForm2RadioGroup2Item0, L"RadioGroup2Item0", L"Button", IdForm2RadioGroup2, 8, 18, 217, 17,
     L"Auto", kFirstRadio, 0, AnchorTopLeft, nullptr},
    {IdForm2RadioGroup2Item1, L"RadioGroup2Item1", L"Button", IdForm2RadioGroup2, 8, 40, 217, 17,
     L"On Button", kRadio, 0, AnchorTopLeft, nullptr},
    {IdForm2GroupBox2, L"GroupBox2", L"Button", 0, 248, 8, 185, 73, L"Pictures:", kGroup, 0,
     AnchorTopLeft, nullptr},
    {IdForm2CheckBox1, L"CheckBox1", L"Button", IdForm2GroupBox2, 8, 18, 169, 17,
     L"&Fit to the phone's screen", kChild | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0,
     AnchorTopLeft, nullptr},
    {IdForm2Label1, L"Label1", L"Static", IdForm2GroupBox2, 8, 45, 36, 13, L"&Size:",
     kChild | SS_LEFT, 0, AnchorTopLeft, nullptr},
    {IdForm2Edit3, L"Edit3", L"Edit", IdForm2GroupBox2, 48, 41, 41, 21, L"176", kNumberField,
     WS_EX_CLIENTEDGE, AnchorTopLeft, nullptr},
    {IdForm2Label2, L"Label2", L"Static", IdForm2GroupBox2, 93, 45, 10, 13, L"\u00D7",
     kChild | SS_CENTER | SS_NOPREFIX, 0, AnchorTopLeft, nullptr},
    {IdForm2Edit4, L"Edit4", L"Edit", IdForm2GroupBox2, 107, 41, 41, 21, L"220", kNumberField,
     WS_EX_CLIENTEDGE, AnchorTopLeft, nullptr},
}};

// A small tool-window border that cannot be dragged to another size.
constexpr win::FormDescription form2{L"TForm2",
                                     L"Options",
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                     WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,
                                     441,
                                     282,
                                     win::FirstPlacement::CentreOnOwner,
                                     controls,
                                     {}};

}  // namespace

const win::FormDescription& form2Description() {
    return form2;
}

}  // namespace tonvale
