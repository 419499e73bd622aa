#include "ui/RecordingPages.h"

#include "ui/DeleteDialog.h"
#include "ui/InsertDialog.h"

namespace poirec {

CategoryDialog::NestedPages RecordingPages(ProcessState& state, Shell& shell) {
  CategoryDialog::NestedPages pages;
  pages.insert = [&state, &shell] {
    InsertDialog page(state, shell);
    return page.exec();
  };
  pages.remove = [&state, &shell] {
    DeleteDialog page(state, shell);
    return page.exec();
  };
  return pages;
}

}  // namespace poirec
