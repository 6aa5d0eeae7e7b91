// Open: the files of a selection become entries of the list, each logged and measured, then
// the selection's totals are logged; its bytes are the new pending total. A file whose name the
// list holds already is not added: it has a line of its own and counts in no total.
#pragma once

#include <string>
#include <vector>

#include "FileList.h"
#include "LocalFiles.h"
#include "TransferView.h"

namespace tonvale {

// Returns the pending total: the selection's bytes as decimal text. A cancelled dialog is an
// empty selection. A file that cannot be measured ends the command with the runtime's I/O
// error: its entry and log line stay, and the rest is not added.
std::wstring openFiles(const std::vector<std::wstring>& selection, FileList& list,
                       LocalFiles& files, TransferView& view);

}  // namespace tonvale
