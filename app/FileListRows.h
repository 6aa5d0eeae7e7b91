// The file list as ListView1 shows it: a row per entry with its name, type and size in
// kilobytes, and the name column filling the width the other two leave. The list view keeps no
// rows of its own: it asks for the text of the rows it draws, so that adding thousands of files
// costs it nothing per file.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "FileList.h"
#include "win/Controls.h"

namespace tonvale {

class FileListRows final : public FileListView {
  public:
    explicit FileListRows(const win::ListViewControl& list) : list_(list) {}

    // The list whose entries the rows show.
    void showFrom(const FileList& files) { files_ = &files; }
    // The three columns at `dpi`, once the list view exists; from then on the name column
    // follows the list's client area by itself.
    void addColumns(int dpi);
    // After the DPI changed: the other two columns at their width for it, the name column
    // filling the rest.
    void scaleColumns(int dpi) const;
    // The text of a row's column, which the list view asks for (LVN_GETDISPINFO).
    void fill(NMLVDISPINFOW& request) const;
    // The row the list view's type-ahead asks for (LVN_ODFINDITEM): the next whose name
    // begins with the typed letters, case ignored as Explorer does; -1 for none.
    LRESULT find(const NMLVFINDITEMW& request) const;

    // Open adds thousands of rows at once: while a batch lasts, the list view learns of them
    // only when it ends, in one count. The caller keeps the list view from drawing meanwhile
    // and has it drawn anew afterwards.
    class Batch {
      public:
        explicit Batch(FileListRows& rows) : rows_(rows) { ++rows_.batchDepth_; }
        ~Batch() {
            if (--rows_.batchDepth_ == 0) {
                rows_.countRows();
            }
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        FileListRows& rows_;
    };

    void insertRow(size_t index, const FileEntry& entry) override;
    void updateRow(size_t index, const FileEntry& entry) override;
    void removeRow(size_t index) override;
    void removeAllRows() override;

  private:
    void countRows() const;

    const win::ListViewControl& list_;
    const FileList* files_ = nullptr;
    int batchDepth_ = 0;
};

}  // namespace tonvale
