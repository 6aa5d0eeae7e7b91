// The Options dialog described as data: its controls and the ids they carry.
#pragma once

#include "win/FormDescription.h"

namespace tonvale {

// Apart from the main window's ids, and from IDOK and IDCANCEL, which stand for Enter and Esc.
enum Form2ControlId : int {
    IdForm2BitBtn1 = 300,
    IdForm2GroupBox1,
    IdForm2Edit2,
    IdForm2BitBtn2,
    IdForm2BitBtn3,
    IdForm2RadioGroup1,
    IdForm2RadioGroup1Item0,
    IdForm2RadioGroup1Item1,
    IdForm2RadioGroup1Item2,
    IdForm2RadioGroup1Item3,
    IdForm2RadioGroup1Item4,
    IdForm2RadioGroup2,
    IdForm2RadioGroup2Item0,
    IdForm2RadioGroup2Item1,
    IdForm2GroupBox2,
    IdForm2CheckBox1,
    IdForm2Label1,
    IdForm2Edit3,
    IdForm2Label2,
    IdForm2Edit4,
};

// TForm2: the window and its controls in creation order.
const win::FormDescription& form2Description();

}  // namespace tonvale
